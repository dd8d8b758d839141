// The options menu in the running windows: the panel's command shows it over the picture as
// the active window, and the remote's keys, given as real input, reach it through the
// program's message loop.
#include "RecordRoadFixture.h"

#include "COptionsBar.h"
#include "COptionsChannelPage.h"
#include "COptionsColorPage.h"
#include "COptionsDlg.h"
#include "COptionsRow.h"
#include "COptionsScanPage.h"
#include "COptionsSelector.h"
#include "COptionsSlider.h"
#include "COptionsVideoPage.h"
#include "ChannelEntry.h"
#include "SimDeviceSupport.h"

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

COptionsDlg* OptionsMenu()
{
    return dynamic_cast<COptionsDlg*>(CWnd::FromHandlePermanent(OptionsHost()));
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
    // The root: its bands and five rows.
    CRect window, row;
    GetWindowRect(host, &window);
    OptionsMenu()->GetPage(0)->GetRow(0)->GetClientRect(&row);
    EXPECT_EQ(600, window.Width());
    EXPECT_EQ(90 + 5 * row.Height(), window.Height());
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, window.CenterPoint().x, 1);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, window.CenterPoint().y, 1);
    EXPECT_TRUE(PageShown(host, 45600));

    // Arrows move between the rows and stay on the root; Enter opens the first row's child,
    // the channel page; the menu key goes back, Esc at the root closes the menu.
    for (WORD key : {VK_DOWN, VK_UP, VK_RIGHT, VK_LEFT})
        RemoteKey(key);
    EXPECT_TRUE(PageShown(host, 45600));
    RemoteKey(VK_RETURN);
    EXPECT_TRUE(PageShown(host, 45500));
    EXPECT_FALSE(PageShown(host, 45600));
    // The end of a scan takes only the scan progress page back.
    theControlPanel.ScanFinished();
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

std::string CardValue(const char* name)
{
    SimControl card(0);
    std::string state = "\n" + card("state");
    std::string key = std::string("\n") + name + "=";
    size_t at = state.find(key);
    if (at == std::string::npos)
        return "";
    at += key.size();
    return state.substr(at, state.find('\n', at) - at);
}

// Keys from the root: Down to a row, then Enter.
void OpenRootRow(int row)
{
    for (int i = 0; i < row; ++i)
        RemoteKey(VK_DOWN);
    RemoteKey(VK_RETURN);
}

// The menu shown at the root's first row.
void OpenMenu()
{
    if (!theControlPanel.IsOptionsMenuVisible())
        Command(IDC_OSD_MENU);
    OptionsMenu()->GetPage(0)->SetCurrentRow(0);
    RunLoop(100);
}

void CloseMenu()
{
    if (theControlPanel.IsOptionsMenuVisible())
        Command(IDC_OSD_MENU);
    RunLoop(100);
}

TEST_F(KavexWindowsTest, RootRowsOpenTheirPagesAndTheChannelPageOnlyFromTheTuner)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    struct Case { int source; int row; int page; } cases[] = {
        {CTVSystem::kSourceTuner, 0, 1}, {CTVSystem::kSourceTuner, 1, 3}, {CTVSystem::kSourceTuner, 2, 4},
        {CTVSystem::kSourceTuner, 3, 5}, {CTVSystem::kSourceTuner, 4, 8},
        {CTVSystem::kSourceComposite, 0, 0}, {CTVSystem::kSourceComposite, 1, 3},
        {CTVSystem::kSourceComposite, 4, 8},
    };
    for (const Case& c : cases) {
        theTVSystem.SetVideoSource(c.source);
        OpenMenu();
        OpenRootRow(c.row);
        EXPECT_EQ(menu->GetPage(c.page), menu->GetCurrentPage()) << "source " << c.source << " row " << c.row;
        CloseMenu();
    }
    theTVSystem.SetVideoSource(CTVSystem::kSourceTuner);
    RunLoop(300);
}

TEST_F(KavexWindowsTest, TheChannelPageFineTunesAndMarksTheChannel)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    OpenMenu();
    OpenRootRow(0);
    auto* page = dynamic_cast<COptionsChannelPage*>(menu->GetCurrentPage());
    ASSERT_NE((COptionsChannelPage*)NULL, page);
    CChannelEntry* channel = theTVSystem.GetCurrentChannel();
    ASSERT_NE((CChannelEntry*)NULL, channel);
    const int frequency = channel->GetFrequency();
    int low = 0, high = 0;
    page->GetSlider()->GetRange(low, high);
    EXPECT_EQ(frequency - 2000, low);
    EXPECT_EQ(frequency + 2000, high);

    // Fine-tuning moves the tuner 60 kHz a key, never beyond the reach, the list untouched.
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(frequency + 60, page->GetSlider()->GetValue());
    EXPECT_NEAR(frequency + 60, atof(CardValue("t").c_str()), 62.5) << CardValue("t");
    for (int i = 0; i < 36; ++i)
        page->GetSlider()->SendMessage(WM_OPTIONS_KEY, VK_LEFT, 0);
    RemoteKey(VK_LEFT);
    EXPECT_EQ(frequency - 2000, page->GetSlider()->GetValue());
    EXPECT_NEAR(frequency - 2000, atof(CardValue("t").c_str()), 62.5) << CardValue("t");
    EXPECT_EQ(frequency, theTVSystem.GetCurrentChannel()->GetFrequency());

    // Right on the delete row only flips its selector.
    int count = theTVSystem.GetChannelCount();
    RemoteKey(VK_DOWN);
    EXPECT_EQ("取消", std::string(page->GetSelector(2)->GetCurText()));
    RemoteKey(VK_RIGHT);
    EXPECT_EQ("确定", std::string(page->GetSelector(2)->GetCurText()));
    EXPECT_EQ(count, theTVSystem.GetChannelCount());

    // The favourite row sets and clears the channel's favourite bit.
    RemoteKey(VK_DOWN);
    BOOL favorite = theTVSystem.IsCurrentChannelFavorite();
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(!favorite, !!theTVSystem.IsCurrentChannelFavorite());
    RemoteKey(VK_LEFT);
    EXPECT_EQ(!!favorite, !!theTVSystem.IsCurrentChannelFavorite());

    // The favourites row switches the group.
    RemoteKey(VK_DOWN);
    BOOL useFavor = theTVSystem.GetTVUseFavor();
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(!useFavor, !!theTVSystem.GetTVUseFavor());
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(!!useFavor, !!theTVSystem.GetTVUseFavor());
    // Enter on a row without an action keeps the page.
    RemoteKey(VK_RETURN);
    EXPECT_EQ(page, menu->GetCurrentPage());

    // Enter with "确定" deletes the channel and tunes another.
    RemoteKey(VK_UP);
    RemoteKey(VK_UP);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(count - 1, theTVSystem.GetChannelCount());
    ASSERT_NE((CChannelEntry*)NULL, theTVSystem.GetCurrentChannel());
    EXPECT_NE(frequency, theTVSystem.GetCurrentChannel()->GetFrequency());
    EXPECT_EQ("取消", std::string(page->GetSelector(2)->GetCurText()));
    CloseMenu();
    WriteProgramFile("TVChannel.ini", kTVChannels);
    theTVSystem.LoadChannels();
    theTVSystem.RestoreChannelSelection();
    theTVSystem.SelectChannel(theTVSystem.GetCurrentChannel());
    RunLoop(300);
}

TEST_F(KavexWindowsTest, TheColourPageWritesThePictureAndRestoresItsDefaults)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    theTVSystem.SetBrightness(9950);
    theTVSystem.SetSharpness(3);
    OpenMenu();
    OpenRootRow(1);
    auto* page = dynamic_cast<COptionsColorPage*>(menu->GetCurrentPage());
    ASSERT_NE((COptionsColorPage*)NULL, page);
    EXPECT_EQ(9950, page->GetBar(0)->GetValue());
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(10000, theTVSystem.GetBrightness());
    EXPECT_EQ(10000, theTVSystem.GetGraph().GetPictureValue(0));
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(10000, theTVSystem.GetBrightness());
    RemoteKey(VK_LEFT);
    EXPECT_EQ(9900, theTVSystem.GetBrightness());

    // Sharpness moves by one within 0..4.
    for (int i = 0; i < 4; ++i)
        RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(4, theTVSystem.GetSharpness());
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(4, theTVSystem.GetSharpness());
    RemoteKey(VK_LEFT);
    EXPECT_EQ(3, theTVSystem.GetSharpness());

    // "默认": nothing with "否", the defaults with "是".
    RemoteKey(VK_DOWN);
    EXPECT_EQ("否", std::string(page->GetDefaultSelector()->GetCurText()));
    RemoteKey(VK_RETURN);
    EXPECT_EQ(9900, theTVSystem.GetBrightness());
    EXPECT_EQ(page, menu->GetCurrentPage());
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(9900, theTVSystem.GetBrightness());
    // The bars show the values written, whatever defaults the card's own ranges name.
    RemoteKey(VK_RETURN);
    const int written[] = {theTVSystem.GetBrightness(), theTVSystem.GetContrast(), theTVSystem.GetHue(),
                           theTVSystem.GetSaturation(), theTVSystem.GetSharpness()};
    EXPECT_EQ(5020, written[0]);
    EXPECT_EQ(1, written[4]);
    for (int i = 0; i < CTVSettings::kPictureProperties; ++i)
        EXPECT_EQ(written[i], page->GetBar(i)->GetValue()) << i;
    CloseMenu();
}

TEST_F(KavexWindowsTest, TheVideoPageSetsTheCaptureAndLeadsToTheShutdownPage)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    theTVSystem.SetEnableShut(FALSE);
    theTVSystem.SetShutTime(CTime::GetCurrentTime() + CTimeSpan(0, 1, 0, 0));
    const int size = theTVSystem.GetVideoSize();
    const BOOL quality = theTVSystem.GetHightQuality();
    OpenMenu();
    OpenRootRow(4);
    auto* page = dynamic_cast<COptionsVideoPage*>(menu->GetCurrentPage());
    ASSERT_NE((COptionsVideoPage*)NULL, page);

    // The size row changes the capture size; the device's sound is back on after it.
    SIZE before = theTVSystem.GetGraph().GetCaptureSize();
    RemoteKey(size == 0 ? VK_RIGHT : VK_LEFT);
    int changed = size == 0 ? 1 : size - 1;
    EXPECT_EQ(changed, theTVSystem.GetVideoSize());
    SIZE after = theTVSystem.GetGraph().GetCaptureSize();
    EXPECT_TRUE(before.cx != after.cx || before.cy != after.cy) << after.cx << "x" << after.cy;
    EXPECT_EQ(CTVSystem::GetCaptureSizeRow(changed, TRUE).cx, after.cx);

    // A yes/no row, then Enter on rows without a child page does nothing.
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(!quality, !!theTVSystem.GetHightQuality());
    RemoteKey(VK_RETURN);
    EXPECT_EQ(page, menu->GetCurrentPage());

    // The shutdown row: the flag and the panel's clock follow it at once.
    for (int i = 0; i < 4; ++i)
        RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_TRUE(theTVSystem.GetEnableShut());
    RemoteKey(VK_LEFT);
    EXPECT_FALSE(theTVSystem.GetEnableShut());
    // No shutdown timer is left running (KillTimer finds none).
    EXPECT_FALSE(::KillTimer(theControlPanel.m_hWnd, 26));
    RemoteKey(VK_RIGHT);
    EXPECT_TRUE(::KillTimer(theControlPanel.m_hWnd, 26));
    RemoteKey(VK_LEFT);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(menu->GetPage(6), menu->GetCurrentPage());
    RemoteKey(VK_APPS);
    EXPECT_EQ(page, menu->GetCurrentPage());
    CloseMenu();
    theTVSystem.SetHightQuality(quality);
    theTVSystem.SetCaptureSize(size);
}

TEST_F(KavexWindowsTest, TheScanPageFollowsTheScanAndLeadsBackToTheChannelPageOnce)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    OpenMenu();
    OpenRootRow(0);
    COptionsPage* channels = menu->GetCurrentPage();
    ASSERT_EQ(menu->GetPage(1), channels);
    auto* scan = dynamic_cast<COptionsScanPage*>(menu->GetPage(2));
    ASSERT_NE((COptionsScanPage*)NULL, scan);

    // Started from the channel page and stopped from the scan page. (A page keeps its row
    // between showings.)
    ASSERT_TRUE(Enabled(IDC_SEARCH));
    channels->SetCurrentRow(0);
    RemoteKey(VK_RETURN);
    EXPECT_TRUE(theTVSystem.IsScanning());
    EXPECT_EQ((COptionsPage*)scan, menu->GetCurrentPage());
    RunLoop(1500);
    int low = 0, high = 0;
    scan->GetBar()->GetRange(low, high);
    EXPECT_LT(low, high);
    EXPECT_GE(scan->GetBar()->GetValue(), low);
    RemoteKey(VK_RETURN);
    EXPECT_EQ(channels, menu->GetCurrentPage());
    RunLoop(2000);
    EXPECT_EQ(channels, menu->GetCurrentPage());

    // The end of the range leads back by itself, and the scan's end then stays there.
    for (int i = 0; i < 30 && !Enabled(IDC_SEARCH); ++i)
        RunLoop(100);
    ASSERT_TRUE(Enabled(IDC_SEARCH));
    RemoteKey(VK_RETURN);
    ASSERT_EQ((COptionsPage*)scan, menu->GetCurrentPage());
    menu->OnScanProgress(100, 200, 200);
    EXPECT_EQ(200, scan->GetBar()->GetValue());
    EXPECT_EQ(channels, menu->GetCurrentPage());
    theTVSystem.StopScan();
    RunLoop(2000);
    EXPECT_EQ(channels, menu->GetCurrentPage());
    CloseMenu();

    // The scans replaced the channels: the next tests start from the program's own.
    WriteProgramFile("TVChannel.ini", kTVChannels);
    theTVSystem.LoadChannels();
    theTVSystem.RestoreChannelSelection();
    theTVSystem.SelectChannel(theTVSystem.GetCurrentChannel());
    RunLoop(300);
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

// The menu's channel page held open over the picture, to be looked at on a display
// (scripts/screenshot with --gtest_also_run_disabled_tests).
TEST_F(KavexWindowsTest, DISABLED_ShowsAMenuOverThePicture)
{
    theControlPanel.ShowPanel(FALSE);
    OpenMenu();
    OpenRootRow(0);
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    RunLoop(20000);
    CloseMenu();
}

} // namespace
