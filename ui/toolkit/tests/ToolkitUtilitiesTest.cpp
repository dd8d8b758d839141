#include <gtest/gtest.h>

#include "BitmapDrawing.h"
#include "CPictureBitmap.h"
#include "DialogWatcher.h"
#include "FolderPaths.h"
#include "ParentWindow.h"
#include "TempFolder.h"
#include "TimedMessageBox.h"
#include "ToolkitTestResources.h"

#include <commctrl.h>
#include <shlobj.h>

#include <set>
#include <string>
#include <thread>

namespace {

TEST(SplitPath, GivesEachPartOfAPath)
{
    struct Case { const char* path; int part; const char* expected; } cases[] = {
        {"C:\\TV\\Rec\\a.mpg", 1, "C:"},
        {"C:\\TV\\Rec\\a.mpg", 2, "C:\\TV\\Rec"},
        {"C:\\TV\\Rec\\a.mpg", 3, "a.mpg"},
        {"C:\\TV\\Rec\\a.mpg", 4, "a"},
        {"C:\\TV\\Rec\\a.mpg", 5, "mpg"},
        {"C:\\TV\\Rec\\a.mpg", 6, ""},
        {"C:\\TV\\Rec\\noext", 5, ""},
        {"C:\\TV\\Rec\\noext", 4, "noext"},
        {"name.avi", 3, "name.avi"},
        {"name.avi", 2, ""},
        // A double-byte character whose trail byte is a backslash is no separator.
        {"C:\\\xD5\x5C.bmp", 3, "\xD5\x5C.bmp"},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_STREQ(cases[i].expected, (LPCTSTR)SplitPath(cases[i].path, cases[i].part)) << "case " << i;
}

TEST(CreateDirectories, CreatesEachLevelInTurn)
{
    TempFolder folder;
    std::string deep = folder.Path() + "\\A\\B\\C";
    EXPECT_TRUE(CreateDirectories(deep.c_str(), (int)folder.Path().size()));
    EXPECT_TRUE(IsDirectory((folder.Path() + "\\A").c_str()));
    EXPECT_TRUE(IsDirectory(deep.c_str()));
    EXPECT_TRUE(CreateDirectories(deep.c_str(), 0));
    // A level that is a file cannot become a folder.
    folder.Write("F", "x");
    EXPECT_FALSE(CreateDirectories((folder.Path() + "\\F\\G").c_str(), 0));
}

TEST(GetModuleDir, IsTheProgramsFolderWithoutATrailingBackslash)
{
    char file[MAX_PATH];
    GetModuleFileNameA(NULL, file, MAX_PATH);
    std::string expected(file, strrchr(file, '\\'));
    EXPECT_EQ(expected, (LPCTSTR)GetModuleDir(NULL));
}

// Stands for the user of the system's folder browser, from a thread of its own since the
// browser holds the test's thread in its modal loop. Once the browser is open it chooses the
// folder to pick (when one is given), waits until the tree shows the wanted folder as the
// selected one, and presses OK. A browser in a fresh prefix may still be filling its tree when
// it opens, so the choice is repeated until it holds; when it never does, Cancel ends the
// browser so that the test fails instead of hanging.
class FolderBrowserUser
{
public:
    // wanted: the folder the tree must show selected before OK; pick: the folder to choose
    // first, empty to keep the browser's own selection.
    FolderBrowserUser(const std::string& wanted, const std::string& pick)
        : m_wanted(wanted), m_pick(pick), m_thread(&FolderBrowserUser::Run, this)
    {
    }
    ~FolderBrowserUser() { Finish(); }

    // Once the browser is closed: the selected item's text and its parent's, as the tree
    // last showed them.
    std::string Finish()
    {
        if (m_thread.joinable())
            m_thread.join();
        return "tree showed " + m_shown;
    }

private:
    enum { kStepMs = 50, kMaxSteps = 200 };

    static BOOL CALLBACK FindBrowser(HWND window, LPARAM param)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            FindWindowExA(window, NULL, WC_TREEVIEWA, NULL)) {
            *(HWND*)param = window;
            return FALSE;
        }
        return TRUE;
    }

    static std::string ItemText(HWND tree, HTREEITEM item)
    {
        char text[MAX_PATH] = "";
        TVITEMA info = {};
        info.mask = TVIF_TEXT;
        info.hItem = item;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        DWORD_PTR ok = 0;
        SendMessageTimeoutA(tree, TVM_GETITEMA, 0, (LPARAM)&info, SMTO_NORMAL, 1000, &ok);
        return ok ? text : "";
    }

    static std::string Leaf(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

    void Run()
    {
        HWND browser = NULL;
        for (int step = 0; !browser && step < kMaxSteps; ++step) {
            Sleep(kStepMs);
            EnumWindows(FindBrowser, (LPARAM)&browser);
        }
        if (!browser)
            return;
        HWND tree = FindWindowExA(browser, NULL, WC_TREEVIEWA, NULL);
        std::string parent = Leaf(m_wanted.substr(0, m_wanted.rfind('\\')));
        std::string expected = parent + "\\" + Leaf(m_wanted);
        int answer = IDCANCEL;
        for (int step = 0; step < kMaxSteps; ++step) {
            if (!m_pick.empty())
                SendMessageTimeoutA(browser, BFFM_SETSELECTIONA, TRUE, (LPARAM)m_pick.c_str(),
                                    SMTO_NORMAL, 1000, NULL);
            DWORD_PTR selected = 0, above = 0;
            SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, SMTO_NORMAL, 1000, &selected);
            SendMessageTimeoutA(tree, TVM_GETNEXTITEM, TVGN_PARENT, selected, SMTO_NORMAL, 1000, &above);
            m_shown = ItemText(tree, (HTREEITEM)above) + "\\" + ItemText(tree, (HTREEITEM)selected);
            if (m_shown == expected) {
                answer = IDOK;
                break;
            }
            Sleep(kStepMs);
        }
        PostMessageA(browser, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     (LPARAM)GetDlgItem(browser, answer));
    }

    std::string m_wanted;
    std::string m_pick;
    std::string m_shown;
    std::thread m_thread;
};

TEST(BrowseForFolder, AnswersOneAndTheFolderChosenInTheSystemsBrowser)
{
    TempFolder folder;
    std::string start = folder.FilePath("Start");
    std::string other = folder.FilePath("Other");
    ASSERT_TRUE(CreateDirectoryA(start.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), NULL));
    ParentWindow owner;
    CWnd* ownerWnd = CWnd::FromHandle(owner.Handle());

    // The browser opens on the folder passed in, and OK there gives it back.
    CString path = start.c_str();
    FolderBrowserUser keeping(start, "");
    EXPECT_EQ(1, BrowseForFolder(path, "Recordings", ownerWnd, BIF_RETURNONLYFSDIRS));
    EXPECT_STREQ(start.c_str(), (LPCTSTR)path) << keeping.Finish();

    // Another folder chosen in the tree is the one given back.
    FolderBrowserUser picking(other, other);
    EXPECT_EQ(1, BrowseForFolder(path, "Recordings", ownerWnd, BIF_RETURNONLYFSDIRS));
    EXPECT_STREQ(other.c_str(), (LPCTSTR)path) << picking.Finish();
}

TEST(BrowseForFolder, AnswersTwoOnCancelAndKeepsThePath)
{
    TempFolder folder;
    DialogWatcher watcher;
    watcher.PressId(IDCANCEL);
    // No owner given and no main window: the browser has no owner.
    CString path = folder.Path().c_str();
    EXPECT_EQ(2, BrowseForFolder(path, "Recordings", NULL, BIF_RETURNONLYFSDIRS));
    EXPECT_STREQ(folder.Path().c_str(), (LPCTSTR)path);
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ(NULL, watcher.Dialogs()[0].owner);
}

// The captions of the box the countdown retitles, read on each of the thread's own ticks.
std::set<std::string> g_captions;
HWND g_owner;
void CALLBACK ReadCaptions(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = GetLastActivePopup(g_owner);
    char text[64] = "";
    if (box != g_owner && GetWindowTextA(box, text, sizeof(text)))
        g_captions.insert(text);
}

TEST(TimedMessageBox, CountsDownInItsCaptionAndAnswersTheTimeoutResult)
{
    ParentWindow owner;
    SetWindowTextA(owner.Handle(), "Owner");
    g_owner = owner.Handle();
    g_captions.clear();
    UINT_PTR reader = SetTimer(NULL, 0, 100, ReadCaptions);
    CWnd* ownerWnd = CWnd::FromHandle(owner.Handle());
    int result = TimedMessageBox(ownerWnd, "Stopping failed", "Kavex", 77, MB_OKCANCEL, 1000);
    KillTimer(NULL, reader);

    EXPECT_EQ(77, result);
    EXPECT_TRUE(g_captions.count("Kavex"));
    EXPECT_TRUE(g_captions.count("Left Seconds: 1"));
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    char title[32] = "";
    GetWindowTextA(owner.Handle(), title, sizeof(title));
    EXPECT_STREQ("Owner", title);
}

SIZE Size(CBitmap& bitmap)
{
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    return {info.bmWidth, info.bmHeight};
}

COLORREF PixelOf(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&bitmap);
    COLORREF pixel = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return pixel;
}

TEST(CPictureBitmap, LoadsBmpJpegAndGifAtTheirPixelSizeAndOnlyOnce)
{
    CoInitialize(NULL);
    struct Case { UINT id; const char* type; int width, height; COLORREF colour; } cases[] = {
        {IDB_PICTURE, (const char*)RT_BITMAP, 30, 20, RGB(0xC0, 0x80, 0x40)},
        {IDR_PICTURE_JPEG, "JPG", 24, 16, RGB(0x20, 0x40, 0xC0)},
        {IDR_PICTURE_GIF, "GIF", 20, 10, RGB(0x00, 0xFC, 0x00)},
    };
    for (const Case& c : cases) {
        CPictureBitmap picture;
        if (c.type == (const char*)RT_BITMAP) {
            // A bitmap resource has no file header: the file form is read instead.
            TempFolder folder;
            HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(c.id), RT_BITMAP);
            DWORD size = SizeofResource(NULL, found);
            const char* bits = (const char*)LockResource(LoadResource(NULL, found));
            BITMAPFILEHEADER header = {0x4D42, (DWORD)(sizeof(header) + size), 0, 0,
                                       (DWORD)(sizeof(header) + sizeof(BITMAPINFOHEADER))};
            std::string file((const char*)&header, sizeof(header));
            file.append(bits, size);
            ASSERT_TRUE(picture.LoadFromFile(folder.Write("p.bmp", file).c_str(), 0xFFFFFFFF));
        } else {
            ASSERT_TRUE(picture.LoadFromResource(c.id, c.type, GetModuleHandleA(NULL), 0xFFFFFFFF)) << c.type;
        }
        SIZE size = Size(picture);
        EXPECT_EQ(c.width, size.cx) << c.type;
        EXPECT_EQ(c.height, size.cy) << c.type;
        COLORREF pixel = PixelOf(picture, c.width / 2, c.height / 2);
        EXPECT_NEAR(GetRValue(c.colour), GetRValue(pixel), 8) << c.type;
        EXPECT_NEAR(GetGValue(c.colour), GetGValue(pixel), 8) << c.type;
        EXPECT_NEAR(GetBValue(c.colour), GetBValue(pixel), 8) << c.type;
        HGDIOBJ held = picture.m_hObject;
        EXPECT_FALSE(picture.LoadFromResource(IDR_PICTURE_GIF, "GIF", GetModuleHandleA(NULL), 0));
        EXPECT_EQ(held, picture.m_hObject);
    }
    CPictureBitmap missing;
    EXPECT_FALSE(missing.LoadFromFile("C:\\no such picture.jpg", 0));
    EXPECT_EQ(NULL, missing.m_hObject);
    CoUninitialize();
}

TEST(DrawTransparentBitmap, LeavesTheDestinationUnderTheKeyColour)
{
    const COLORREF kKey = RGB(255, 0, 255), kInk = RGB(10, 200, 30), kPaper = RGB(90, 90, 250);
    CDC screen;
    screen.CreateCompatibleDC(NULL);
    CClientDC desktop(NULL);
    CBitmap source, target;
    source.CreateCompatibleBitmap(&desktop, 4, 1);
    target.CreateCompatibleBitmap(&desktop, 6, 1);
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&source);
    dc.SetPixel(0, 0, kInk);
    dc.SetPixel(1, 0, kKey);
    dc.SetPixel(2, 0, kKey);
    dc.SetPixel(3, 0, kInk);
    dc.SelectObject(&target);
    dc.FillSolidRect(0, 0, 6, 1, kPaper);
    EXPECT_TRUE(DrawBitmapTransparentAt(&dc, 1, 0, kKey, &source));
    EXPECT_FALSE(DrawBitmapTransparentAt(&dc, 1, 0, kKey, NULL));
    const COLORREF expected[] = {kPaper, kInk, kPaper, kPaper, kInk, kPaper};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(expected[x], dc.GetPixel(x, 0)) << "x " << x;
    dc.SelectObject(old);
}

} // namespace
