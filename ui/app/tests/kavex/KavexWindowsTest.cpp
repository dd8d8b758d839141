// The video window and the control panel over the simulated card, made in the test's own
// process as the program makes them: buttons that follow the engine's state, the on-screen
// text rules, one forwarded key per press, the panel's docking, the scan display and the
// daily shutdown.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <functional>
#include <string>

#include "TVSystem.h"

#include "AppMessages.h"
#include "CControlPanelDlg.h"
#include "CTVVideoWnd.h"
#include "PathUtil.h"
#include "PumpMessages.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "resource.h"

#include "KavexWindowsFixture.h"

namespace {

TEST_F(KavexWindowsTest, StartShowsTheLastChannelOnThePanelAndOverThePicture)
{
    CString label;
    theControlPanel.GetDlgItem(IDC_CHANNEL_LABEL)->GetWindowText(label);
    EXPECT_STREQ("1,B", label);
    EXPECT_STREQ("1,B", theVideoWnd.GetChannelOverlay().GetText());
    CString title;
    theVideoWnd.GetWindowText(title);
    EXPECT_STREQ("视频窗口", title);
}

// Channel steps and the wall wait while the tuner is busy or another source is shown; the
// search button stays usable during a scan, so that the scan can be stopped.
TEST_F(KavexWindowsTest, ButtonsFollowTheSourceAndTheScan)
{
    const UINT channelCommands[] = {IDC_CHANNEL_UP, IDC_CHANNEL_DOWN, IDC_LAST_CHANNEL,
                                    IDC_CHANNEL_LIST, IDC_TV_WALL};
    struct Case
    {
        const char* state;
        bool channels, search;
    } cases[] = {{"tuner", true, true}, {"composite", false, false}, {"scanning", false, true}};
    for (const Case& c : cases) {
        std::string state = c.state;
        theTVSystem.SetVideoSource(state == "composite" ? CTVSystem::kSourceComposite
                                                        : CTVSystem::kSourceTuner);
        if (state == "scanning") {
            ASSERT_TRUE(theTVSystem.StartScan(1));
        }
        theControlPanel.SyncButtons();
        for (UINT id : channelCommands)
            EXPECT_EQ(c.channels, Enabled(id)) << c.state << " " << id;
        EXPECT_EQ(c.search, Enabled(IDC_SEARCH)) << c.state;
        if (state == "scanning")
            theTVSystem.StopScan();
    }
    theControlPanel.EnableRunButtons(FALSE);
    theControlPanel.SyncButtons();
}

TEST_F(KavexWindowsTest, ChannelAndDigitTextsShareTheirPlaceAndWaitForAVisibleWindow)
{
    theVideoWnd.SetChannelText("2,C");
    theVideoWnd.ShowChannel(TRUE);
    EXPECT_TRUE(Visible(theVideoWnd.GetChannelOverlay()));
    theVideoWnd.SetDigitText("1-");
    theVideoWnd.ShowDigit(TRUE);
    EXPECT_TRUE(Visible(theVideoWnd.GetDigitOverlay()));
    EXPECT_FALSE(Visible(theVideoWnd.GetChannelOverlay()));

    theVideoWnd.ShowWindow(SW_HIDE);
    EXPECT_FALSE(Visible(theVideoWnd.GetDigitOverlay())) << "hiding the window hides its texts";
    theVideoWnd.ShowChannel(TRUE);
    theVideoWnd.ShowRecord(TRUE);
    EXPECT_FALSE(Visible(theVideoWnd.GetChannelOverlay()));
    EXPECT_FALSE(Visible(theVideoWnd.GetRecordOverlay()));
}

int keysToPanel;

LRESULT CALLBACK CountKeysToPanel(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* msg = (const MSG*)lParam;
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_KEYDOWN && msg->wParam == 'Q' &&
        msg->hwnd == theControlPanel.GetSafeHwnd())
        keysToPanel++;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

// The panel sees each key of the video window once, whichever window the key came to.
TEST_F(KavexWindowsTest, AKeyOnTheVideoWindowReachesThePanelOnce)
{
    keysToPanel = 0;
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, CountKeysToPanel, NULL, GetCurrentThreadId());
    ASSERT_NE((HHOOK)NULL, hook);
    UserInput::BringToFront(theVideoWnd.GetSafeHwnd());
    theVideoWnd.SetFocus();
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = 'Q';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(2u, SendInput(2, keys, sizeof(INPUT)));
    PumpLikeTheProgram([] { return keysToPanel > 0; }, 2000);
    PumpLikeTheProgram([] { return false; }, 200);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(1, keysToPanel);
}

// Beneath a shown video window the panel is its tool window; alone it gets a taskbar button
// and a system menu, and takes its place again when the video window comes back.
TEST_F(KavexWindowsTest, ThePanelDocksToTheVideoWindowWhileItIsShown)
{
    HWND panel = theControlPanel.GetSafeHwnd();
    EXPECT_EQ(theVideoWnd.GetSafeHwnd(), GetWindow(panel, GW_OWNER));
    EXPECT_TRUE(theControlPanel.GetStyle() & WS_CHILD);

    theVideoWnd.ShowWindow(SW_HIDE);
    EXPECT_EQ((HWND)NULL, GetWindow(panel, GW_OWNER));
    EXPECT_FALSE(theControlPanel.GetStyle() & WS_CHILD);
    EXPECT_TRUE(theControlPanel.GetStyle() & WS_SYSMENU);
    EXPECT_TRUE(theControlPanel.GetExStyle() & WS_EX_APPWINDOW);
    EXPECT_FALSE(theControlPanel.GetExStyle() & WS_EX_TOOLWINDOW);

    theVideoWnd.ShowWindow(SW_SHOW);
    EXPECT_EQ(theVideoWnd.GetSafeHwnd(), GetWindow(panel, GW_OWNER));
    EXPECT_TRUE(theControlPanel.GetStyle() & WS_CHILD);
    EXPECT_FALSE(theControlPanel.GetStyle() & WS_SYSMENU);
    EXPECT_TRUE(theControlPanel.GetExStyle() & WS_EX_TOOLWINDOW);
}

// Channels a scan finds are named by their count, the first "Ch-1"; the progress never leaves
// 0..100, even for frequencies outside the range.
TEST_F(KavexWindowsTest, ScanProgressNamesTheFoundChannelsAndKeepsItsPercentInRange)
{
    theVideoWnd.BeginScan();
    theVideoWnd.SendMessage(WM_SCAN_PROGRESS, 49750, 0);
    theVideoWnd.SendMessage(WM_SCAN_PROGRESS, 184250, 1);
    theVideoWnd.SendMessage(WM_SCAN_PROGRESS, 471250, 1);
    const auto& found = theVideoWnd.GetScanResults();
    ASSERT_EQ(2u, found.size());
    EXPECT_STREQ("Ch-1", found.at(184250).GetName());
    EXPECT_STREQ("Ch-2", found.at(471250).GetName());
    for (int i = 0; i < 400; i++)
        theVideoWnd.SendMessage(WM_SCAN_PROGRESS, 900000, 0);
    int percent = theVideoWnd.GetScanOverlay().GetProgress();
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
    theControlPanel.EnableRunButtons(FALSE);
    theControlPanel.SetMute(FALSE);
}

TEST_F(KavexWindowsTest, AnFMStationShowsItsFrequencyWithTwoDecimals)
{
    struct Case
    {
        int kHz;
        const char* text;
    } cases[] = {{100100, "R - 100.10"}, {90050, "R - 90.05"}, {87500, "R - 87.50"}};
    for (const Case& c : cases) {
        CChannelEntry station(c.kHz, "R", 1);
        theControlPanel.ShowFMChannelInfo(&station);
        CString label;
        theControlPanel.GetDlgItem(IDC_CHANNEL_LABEL)->GetWindowText(label);
        EXPECT_STREQ(c.text, label);
    }
    theControlPanel.ShowChannelInfo(theTVSystem.GetCurrentChannel());
}

// Cancels the countdown when it opens, from a thread timer that the dialog's own loop runs.
struct CountdownCanceller
{
    static int shown;
    UINT_PTR timer;
    CountdownCanceller()
    {
        shown = 0;
        timer = SetTimer(NULL, 0, 50, Cancel);
    }
    static void CALLBACK Cancel(HWND, UINT, UINT_PTR, DWORD)
    {
        if (HWND countdown = FindWindowA("#32770", "关闭计算机")) {
            if (IsWindowVisible(countdown) && !GetPropA(countdown, "cancelled")) {
                SetPropA(countdown, "cancelled", (HANDLE)1);
                shown++;
                PostMessageA(countdown, WM_COMMAND, IDCANCEL, 0);
            }
        }
    }
    ~CountdownCanceller() { KillTimer(NULL, timer); }
};
int CountdownCanceller::shown;

// A shutdown time reached opens the countdown at once; one already past when armed waits for
// the next day, but a check of the clock's own timer that comes late still shuts down.
TEST_F(KavexWindowsTest, TheShutdownClockCountsDownOnlyForATimeReached)
{
    CTime now = CTime::GetCurrentTime();
    // Far from midnight, so that "today" does not change under the test.
    if (now.GetHour() == 23 && now.GetMinute() >= 58)
        GTEST_SKIP() << "too close to midnight";
    CountdownCanceller canceller;

    theControlPanel.ArmShutdownClock(now - CTimeSpan(0, 0, 0, 30), TRUE);
    EXPECT_EQ(0, canceller.shown) << "a time past when armed waits for tomorrow";

    theControlPanel.CheckShutdownClock(TRUE);
    EXPECT_EQ(1, canceller.shown) << "the clock's own check a little late still counts down";

    theControlPanel.ArmShutdownClock(CTime::GetCurrentTime() + CTimeSpan(0, 0, 0, 1), TRUE);
    EXPECT_EQ(2, canceller.shown) << "a time a second ahead counts down at once";
    theControlPanel.ArmShutdownClock(now, FALSE);
}

} // namespace
