#include <gtest/gtest.h>
#include <windows.h>

#include <thread>
#include <vector>

#include "DialogWatcher.h"
#include "HelperProcess.h"
#include "WindowQuery.h"

TEST(DialogWatcher, AnswersAMessageBoxOnTheTestsOwnThreadWithOk)
{
    DialogWatcher watcher;
    EXPECT_EQ(IDOK, MessageBoxA(NULL, "\xCE\xC4\xBC\xFE\xB2\xBB\xB4\xE6\xD4\xDA!", "Caption", MB_OK));
    auto dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("Caption", dialogs[0].caption);
    EXPECT_EQ("\xCE\xC4\xBC\xFE\xB2\xBB\xB4\xE6\xD4\xDA!", dialogs[0].text);
    EXPECT_EQ(IDOK, dialogs[0].pressed);
}

TEST(DialogWatcher, PressesTheButtonTheRuleNames)
{
    DialogWatcher watcher;
    watcher.PressId(IDNO);
    EXPECT_EQ(IDNO, MessageBoxA(NULL, "first", "c", MB_YESNO));
    watcher.PressId(IDCANCEL);
    EXPECT_EQ(IDCANCEL, MessageBoxA(NULL, "second", "c", MB_OKCANCEL));

    auto dialogs = watcher.Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ("first", dialogs[0].text);
    EXPECT_EQ("second", dialogs[1].text);
}

// A dialog with the texts of our choice: the system's own message boxes name their buttons
// in the system's language.
class TwoButtonDialog
{
public:
    TwoButtonDialog()
    {
        DLGTEMPLATE dialog = {WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_MODALFRAME, 0, 3,
                              0, 0, 120, 60};
        Append(&dialog, sizeof(dialog));
        AppendWord(0);  // no menu
        AppendWord(0);  // the standard dialog class
        AppendText(L"Two buttons");
        AddItem(0xFFFF, 0x0082, L"Pick one", WS_CHILD | WS_VISIBLE);
        AddItem(kAlpha, 0x0080, L"&Alpha", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
        AddItem(kBeta, 0x0080, L"&Beta", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON);
    }

    INT_PTR Run()
    {
        return DialogBoxIndirectA(GetModuleHandleA(NULL), (DLGTEMPLATE*)m_bytes.data(), NULL,
                                  Proc);
    }

    enum { kAlpha = 100, kBeta = 101 };

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_INITDIALOG)
            return TRUE;
        if (message == WM_COMMAND) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }

    void AddItem(WORD id, WORD atom, const wchar_t* text, DWORD style)
    {
        m_bytes.resize((m_bytes.size() + 3) & ~size_t(3));
        DLGITEMTEMPLATE item = {style, 0, 5, 5, 50, 12, id};
        Append(&item, sizeof(item));
        AppendWord(0xFFFF);
        AppendWord(atom);
        AppendText(text);
        AppendWord(0);  // no creation data
    }
    void Append(const void* data, size_t size)
    {
        m_bytes.insert(m_bytes.end(), (const char*)data, (const char*)data + size);
    }
    void AppendWord(WORD word) { Append(&word, sizeof(word)); }
    void AppendText(const wchar_t* text) { Append(text, (wcslen(text) + 1) * sizeof(wchar_t)); }

    std::vector<char> m_bytes;
};

TEST(DialogWatcher, PressesTheButtonWhoseTextMatchesWithoutItsAmpersand)
{
    DialogWatcher watcher;
    watcher.PressButtonWithText("Beta");
    EXPECT_EQ(TwoButtonDialog::kBeta, TwoButtonDialog().Run());
    watcher.PressButtonWithText("Gamma");
    EXPECT_EQ(IDCANCEL, TwoButtonDialog().Run());

    auto dialogs = watcher.Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ("Two buttons", dialogs[0].caption);
    EXPECT_EQ("Pick one", dialogs[0].text);
    EXPECT_EQ(TwoButtonDialog::kBeta, dialogs[0].pressed);
    EXPECT_EQ(IDCANCEL, dialogs[1].pressed);
}

TEST(DialogWatcher, AnswersBoxesOfOtherThreads)
{
    DialogWatcher watcher;
    int result = 0;
    std::thread other([&] { result = MessageBoxA(NULL, "from a thread", "t", MB_OK); });
    other.join();
    EXPECT_EQ(IDOK, result);
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("from a thread", watcher.Dialogs()[0].text);
}

// Two boxes one after the other; exits with their answers as 100 * first + second.
SUITE_HELPER(TwoBoxes)
{
    int first = MessageBoxA(NULL, "确实要退出程序吗?", "Kavex", MB_YESNO);
    int second = MessageBoxA(NULL, "时间已过期", "Kavex", MB_OKCANCEL);
    return first * 100 + second;
}

TEST(DialogWatcher, AnswersTheBoxesOfAnotherProcessByTheirText)
{
    HelperProcess helper("TwoBoxes");
    ASSERT_TRUE(helper.IsStarted());
    DialogWatcher watcher(helper.Pid());
    watcher.PressIdWhenTextContains("要退出", IDNO);
    watcher.PressId(IDCANCEL);

    DWORD exitCode = 0;
    ASSERT_TRUE(helper.Wait(20000, &exitCode));
    EXPECT_EQ(IDNO * 100 + IDCANCEL, (int)exitCode);
    auto dialogs = watcher.Dialogs();
    ASSERT_EQ(2u, dialogs.size());
    EXPECT_EQ("Kavex", dialogs[0].caption);
    EXPECT_EQ("确实要退出程序吗?", dialogs[0].text);
    EXPECT_EQ(IDNO, dialogs[0].pressed);
    EXPECT_EQ("时间已过期", dialogs[1].text);
    EXPECT_EQ(IDCANCEL, dialogs[1].pressed);
}

SUITE_HELPER(TwoButtons)
{
    return (int)TwoButtonDialog().Run();
}

TEST(DialogWatcher, ReadsAndAnswersADialogOfAnotherProcessOnlyWhenWatchingThatProcess)
{
    DialogWatcher ownDialogs;
    HelperProcess helper("TwoButtons");
    ASSERT_TRUE(helper.IsStarted());
    HWND dialog = FindTopWindow("Two buttons", helper.Pid(), 10000);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(WaitUntilVisible(dialog, 10000));
    EXPECT_EQ(dialog, FindTopWindow("Two buttons", 0, 0));
    EXPECT_EQ(nullptr, FindTopWindow("Two buttons", GetCurrentProcessId(), 100));
    EXPECT_EQ("Pick one", ControlText(dialog, 0xFFFF));
    EXPECT_EQ("&Beta", ControlText(dialog, TwoButtonDialog::kBeta));
    EXPECT_EQ("", ControlText(dialog, 4321));
    EXPECT_FALSE(helper.Wait(200));
    EXPECT_TRUE(ownDialogs.Dialogs().empty());

    DialogWatcher watcher(helper.Pid());
    watcher.PressButtonWithText("Beta");
    DWORD exitCode = 0;
    ASSERT_TRUE(helper.Wait(10000, &exitCode));
    EXPECT_EQ(TwoButtonDialog::kBeta, (int)exitCode);
    auto dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("Two buttons", dialogs[0].caption);
    EXPECT_EQ(TwoButtonDialog::kBeta, dialogs[0].pressed);
}
