// The options menu in the running windows: the panel's command shows it over the picture as
// the active window, and the remote's keys, given as real input, reach it through the
// program's message loop.
#include "RecordRoadFixture.h"

#include "../OptionsTestPages.h"
#include "COptionsDlg.h"

namespace {

// Messages handled as the program's own loop handles them: pre-translated first.
void RunLoop(DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

// A key of the remote control, which reaches the program as a key press.
void RemoteKey(WORD vk)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    RunLoop(200);
}

// The host: the panel's owned window that holds the root page.
HWND OptionsHost()
{
    struct Search { HWND found; } search = {NULL};
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        if (GetWindow(window, GW_OWNER) == theControlPanel.m_hWnd && GetDlgItem(window, 45600) != NULL) {
            reinterpret_cast<Search*>(param)->found = window;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&search);
    return search.found;
}

bool PageShown(HWND host, int id)
{
    HWND page = GetDlgItem(host, id);
    return page != NULL && (GetWindowLongA(page, GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST_F(KavexWindowsTest, TheOptionsMenuFloatsOverThePictureAndTakesTheRemotesKeys)
{
    HWND host = OptionsHost();
    ASSERT_NE((HWND)NULL, host);
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());
    Command(IDC_OSD_MENU);
    RunLoop(200);
    ASSERT_TRUE(theControlPanel.IsOptionsMenuVisible());
    EXPECT_EQ(host, GetForegroundWindow());
    EXPECT_EQ(host, GetActiveWindow());
    // The dialog hands its focus on to its first child, the page: keys still pass the host.
    EXPECT_TRUE(GetFocus() == host || IsChild(host, GetFocus()));
    // Until the menu's own pages come, the root is its bands alone.
    CRect window;
    GetWindowRect(host, &window);
    EXPECT_EQ(600, window.Width());
    EXPECT_EQ(90, window.Height());
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, window.CenterPoint().x, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, window.CenterPoint().y, 1);
    EXPECT_TRUE(PageShown(host, 45600));

    // Arrows find no rows; Enter opens the first row's child, the channel page; the menu key
    // goes back, Esc at the root closes the menu.
    for (WORD key : {VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT})
        RemoteKey(key);
    EXPECT_TRUE(PageShown(host, 45600));
    RemoteKey(VK_RETURN);
    EXPECT_TRUE(PageShown(host, 45500));
    EXPECT_FALSE(PageShown(host, 45600));
    // The end of a scan, as the video window tells it, goes back a page too.
    theControlPanel.ScanFinished();
    EXPECT_TRUE(PageShown(host, 45600));
    RemoteKey(VK_RETURN);
    EXPECT_TRUE(PageShown(host, 45500));
    RemoteKey(VK_APPS);
    EXPECT_TRUE(PageShown(host, 45600));
    EXPECT_TRUE(theControlPanel.IsOptionsMenuVisible());
    RemoteKey(VK_ESCAPE);
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());

    // The command toggles it; the engine hides it; it stays away during a scan.
    Command(IDC_OSD_MENU);
    EXPECT_TRUE(theControlPanel.IsOptionsMenuVisible());
    Command(IDC_OSD_MENU);
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());
    Command(IDC_OSD_MENU);
    theTVSystem.HideOptionsMenu();
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());
    ASSERT_TRUE(theTVSystem.StartScan(1));
    Command(IDC_OSD_MENU);
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());
    theTVSystem.StopScan();
    theControlPanel.EnableRunButtons(FALSE);
    theControlPanel.SetMute(FALSE);
    RunLoop(200);
}

TEST_F(RecordRoadTest, TheOptionsMenuIsRefusedWhileRecording)
{
    Command(IDC_RECORD);
    ASSERT_TRUE(theTVSystem.IsRecording());
    Command(IDC_OSD_MENU);
    EXPECT_FALSE(theControlPanel.IsOptionsMenuVisible());
    ASSERT_TRUE(PumpMessagesUntil([] { return Enabled(IDC_RECORD); }, 3000));
    Command(IDC_RECORD);
    EXPECT_FALSE(theTVSystem.IsRecording());
    Command(IDC_OSD_MENU);
    EXPECT_TRUE(theControlPanel.IsOptionsMenuVisible());
    Command(IDC_OSD_MENU);
}

// A menu of test pages held open over the picture, to be looked at on a display
// (scripts/screenshot with --gtest_also_run_disabled_tests).
TEST_F(KavexWindowsTest, DISABLED_ShowsAMenuOverThePicture)
{
    theControlPanel.ShowPanel(FALSE);
    theVideoWnd.ShowWindow(SW_MAXIMIZE);
    TestOptionsDlg menu(true);
    ASSERT_TRUE(menu.Create(&theControlPanel));
    menu.ShowMenu(TRUE);
    RemoteKey(VK_DOWN);
    RemoteKey(VK_DOWN);
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    RemoteKey(VK_UP);
    RunLoop(20000);
    menu.ShowMenu(FALSE);
}

} // namespace
