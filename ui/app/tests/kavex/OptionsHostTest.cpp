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
#include "OptionsMenuDriver.h"
#include "ChannelEntry.h"
#include "SimDeviceSupport.h"

namespace {

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

std::string ParamValue(const char* section, const char* key)
{
    char value[128] = "";
    CString path = theTVSystem.GetAppDir() + "\\TVParam.ini";
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), path);
    return value;
}

std::string PanelLabel(UINT id)
{
    CString text;
    theControlPanel.GetDlgItem(id)->GetWindowText(text);
    return (LPCTSTR)text;
}

// Left and Right change the recording settings at once: the format wraps both ways with the
// panel's label and menu following, the JPEG bar steps by five within 0..100. What was chosen
// is what the settings file keeps and what the next snapshot is.
TEST_F(KavexWindowsTest, TheRecordingPageChangesTheRecordSettingsAtOnce)
{
    COptionsDlg* menu = OptionsMenu();
    ASSERT_NE((COptionsDlg*)NULL, menu);
    CTVSettings& settings = theTVSystem.GetSettings();
    const struct { int snapBmp, jpgQuality, recordFormat, recordScheme, displayQuality; CString picPath; } kept = {
        settings.snapBmp, settings.jpgQuality, settings.recordFormat, settings.recordScheme,
        settings.displayQuality, settings.picPath};
    theTVSystem.SetRecordFormat(7);
    settings.snapBmp = 1;
    settings.jpgQuality = 93;
    const int scheme = theTVSystem.GetRecordScheme();
    const int quality = theTVSystem.GetDisplayQuality();
    OpenMenu();
    OpenRootRow(3);
    COptionsPage* page = menu->GetCurrentPage();
    ASSERT_EQ(menu->GetPage(5), page);
    page->SetCurrentRow(0);

    RemoteKey(VK_RIGHT);
    EXPECT_EQ(0, settings.snapBmp);
    RemoteKey(VK_DOWN);
    const struct { WORD key; int format; } steps[] = {{VK_RIGHT, 0}, {VK_LEFT, 7}, {VK_LEFT, 6}};
    for (const auto& step : steps) {
        RemoteKey(step.key);
        EXPECT_EQ(step.format, theTVSystem.GetRecordFormat());
        CString name;
        theControlPanel.GetFormatMenu().GetMenuText(ID_FORMAT_AVI + step.format, name);
        EXPECT_EQ((LPCTSTR)name, PanelLabel(IDC_FORMAT_LABEL));
        EXPECT_EQ((UINT)MF_CHECKED, theControlPanel.GetFormatMenu().GetMenuState(ID_FORMAT_AVI + step.format, MF_BYCOMMAND) & MF_CHECKED);
    }
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    EXPECT_EQ(scheme != 0 ? 0 : 1, theTVSystem.GetRecordScheme());
    RemoteKey(VK_DOWN);
    RemoteKey(VK_RIGHT);
    const int chosenQuality = theTVSystem.GetDisplayQuality();
    EXPECT_EQ(quality == 2 ? 0 : quality + 1, chosenQuality);
    RemoteKey(VK_DOWN);
    const struct { WORD key; int value; } jpeg[] = {{VK_RIGHT, 98}, {VK_RIGHT, 100}, {VK_LEFT, 95}};
    for (const auto& step : jpeg) {
        RemoteKey(step.key);
        EXPECT_EQ(step.value, settings.jpgQuality);
    }
    // Enter opens nothing from any row.
    for (int row = 0; row < 5; ++row) {
        page->SetCurrentRow(row);
        RemoteKey(VK_RETURN);
        EXPECT_EQ(page, menu->GetCurrentPage()) << row;
    }
    CloseMenu();

    theTVSystem.SaveSettings();
    EXPECT_EQ("6", ParamValue("Record", "RecordFormat"));
    EXPECT_EQ(scheme != 0 ? "0" : "1", ParamValue("Record", "RecordScheme"));
    EXPECT_EQ(std::to_string(chosenQuality), ParamValue("Record", "DisplayQuality"));
    EXPECT_EQ("0", ParamValue("Record", "SnapBmp"));
    EXPECT_EQ("95", ParamValue("Record", "JpgQuality"));

    TempFolder pictures;
    settings.picPath = pictures.Path().c_str();
    MenuCommand(IDC_SNAPSHOT);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((pictures.Path() + "\\*.jpg").c_str(), &found);
    EXPECT_NE(INVALID_HANDLE_VALUE, search) << "a JPEG picture in " << pictures.Path();
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    settings.snapBmp = kept.snapBmp;
    settings.jpgQuality = kept.jpgQuality;
    settings.picPath = kept.picPath;
    theTVSystem.SetRecordScheme(kept.recordScheme);
    theTVSystem.SetDisplayQuality(kept.displayQuality);
    theTVSystem.SetRecordFormat(kept.recordFormat);
    theControlPanel.SyncFormatMenus();
    theTVSystem.SaveSettings();
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
