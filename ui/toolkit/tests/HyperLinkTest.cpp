#include <gtest/gtest.h>

#include "CHyperLink.h"
#include "DialogWatcher.h"
#include "HyperLinkResources.h"
#include "PumpMessages.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WindowPixels.h"

#include <string>

namespace {

const char kAddress[] = "http://kavex.example/";
const char kTestType[] = "KavexLinkTestType";
const COLORREF kVisited = RGB(85, 26, 139);

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

bool Underlined(HWND window)
{
    LOGFONTA font = {};
    GetObjectA((HFONT)SendMessageA(window, WM_GETFONT, 0, 0), sizeof(font), &font);
    return font.lfUnderline != 0;
}

void SetClassValue(const std::string& key, const std::string& value)
{
    RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), (DWORD)value.size());
}

// For the test's run only, ".htm" files open with a type of its own whose command (when given)
// is the recorder; the prefix's association is put back afterwards.
class HtmAssociation
{
public:
    explicit HtmAssociation(const std::string& command)
    {
        char old[MAX_PATH] = "";
        LONG size = sizeof(old);
        m_had = RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", old, &size) == ERROR_SUCCESS;
        m_old = old;
        SetClassValue(".htm", kTestType);
        if (!command.empty())
            SetClassValue(std::string(kTestType) + "\\shell\\open\\command", command);
    }
    ~HtmAssociation()
    {
        if (m_had)
            SetClassValue(".htm", m_old);
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        const char* keys[] = {"\\shell\\open\\command", "\\shell\\open", "\\shell", ""};
        for (const char* key : keys)
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kTestType) + key).c_str());
    }

private:
    bool m_had;
    std::string m_old;
};

class LinkDialog : public CDialog
{
public:
    LinkDialog() : CDialog(IDD_LINK_TEST) {}
    ~LinkDialog() override { DestroyWindow(); }
};

class HyperLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_LINK_TEST, NULL));
        dialog.SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        UserInput::BringToFront(dialog.m_hWnd);
    }

    void Attach(UINT id, const std::string& address)
    {
        link.SetURL(address.c_str());
        ASSERT_TRUE(link.SubclassDlgItem(id, &dialog));
    }

    POINT Middle()
    {
        CRect client;
        link.GetClientRect(&client);
        return client.CenterPoint();
    }

    LinkDialog dialog;
    CHyperLink link;
    TempFolder temp;
};

TEST_F(HyperLinkTest, EmptyTextShowsTheAddressAndTheControlFitsIt)
{
    Attach(IDC_LINK_EMPTY, kAddress);
    CString text;
    link.GetWindowText(text);
    EXPECT_STREQ(kAddress, (LPCTSTR)text);

    LOGFONTA font = {};
    GetObjectA((HFONT)link.SendMessage(WM_GETFONT), sizeof(font), &font);
    font.lfUnderline = TRUE;
    HFONT underlined = CreateFontIndirectA(&font);
    HDC dc = GetDC(link.m_hWnd);
    HGDIOBJ old = SelectObject(dc, underlined);
    SIZE extent;
    GetTextExtentPoint32A(dc, kAddress, (int)strlen(kAddress), &extent);
    SelectObject(dc, old);
    ReleaseDC(link.m_hWnd, dc);
    DeleteObject(underlined);
    CRect client;
    link.GetClientRect(&client);
    EXPECT_EQ(CSize(extent), client.Size());
}

TEST_F(HyperLinkTest, DefaultCursorIsTheSystemHand)
{
    Attach(IDC_LINK_TEXT, kAddress);
    link.SendMessage(WM_SETCURSOR, (WPARAM)link.m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorA(NULL, (LPCSTR)IDC_HAND), GetCursor());
}

TEST_F(HyperLinkTest, MouseUnderlinesTheLinkWhileOverIt)
{
    Attach(IDC_LINK_TEXT, kAddress);
    ASSERT_EQ(CHyperLink::kUnderlineHover, link.GetUnderline());
    EXPECT_FALSE(Underlined(link.m_hWnd));
    UserInput::MoveTo(link.m_hWnd, Middle());
    EXPECT_TRUE(Underlined(link.m_hWnd));
    UserInput::MoveTo(dialog.m_hWnd, {300, 120});
    EXPECT_TRUE(PumpMessagesUntil([&] { return !Underlined(link.m_hWnd); }, 1000));
}

TEST_F(HyperLinkTest, ClickRunsTheHtmCommandWhenTheShellHasNoAssociation)
{
    std::string recorder = ProgramFolder() + "\\link_recorder.exe";
    std::string recorded = ProgramFolder() + "\\recorded.txt";
    DeleteFileA(recorded.c_str());
    HtmAssociation htm("\"" + recorder + "\" \"%1\"");
    // An existing file of an extension nothing opens: the shell answers 31.
    std::string page = temp.Write("page.kvxnoassoc", "x");
    Attach(IDC_LINK_TEXT, page);

    UserInput::Click(link.m_hWnd, Middle());
    EXPECT_TRUE(PumpMessagesUntil([&] { return !TempFolder::ReadWholeFile(recorded).empty(); }, 5000));
    std::string line = TempFolder::ReadWholeFile(recorded);
    EXPECT_NE(std::string::npos, line.find(" " + page)) << line;
    EXPECT_TRUE(link.GetVisited());

    UserInput::MoveTo(dialog.m_hWnd, {300, 120});
    PumpMessagesUntil([] { return false; }, 300);
    CRect client;
    link.GetClientRect(&client);
    EXPECT_GT(WindowPixels(link.m_hWnd).Count(kVisited, client), 0);
    DeleteFileA(recorded.c_str());
}

TEST_F(HyperLinkTest, FailedOpenReportsTheShellsError)
{
    DialogWatcher watcher;
    HtmAssociation htm("");  // a type without an open command: the fallback has nothing to run
    std::string page = temp.Write("page.kvxnoassoc", "x");
    Attach(IDC_LINK_TEXT, page);

    UserInput::Click(link.m_hWnd, Middle());
    // The watcher sees the test's own dialog too: the report is the other one.
    auto report = [&] {
        for (const ShownDialog& shown : watcher.Dialogs())
            if (shown.caption != "Links")
                return shown.text;
        return std::string();
    };
    ASSERT_TRUE(PumpMessagesUntil([&] { return !report().empty(); }, 5000));
    EXPECT_EQ("Unable to open hyperlink:\n\nThere is no application associated\n"
              "with the given filename extension.",
              report());
    EXPECT_FALSE(link.GetVisited());
    EXPECT_EQ("Unknown Error (99) occurred.", std::string(CHyperLink::ErrorText(99)));
}

} // namespace
