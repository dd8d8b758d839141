// The panel's commands over the simulated card: what each one tunes, switches, shows and
// keeps, and the states and messages with which it refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CHyperLink.h"
#include "DialogWatcher.h"
#include "KavexWindowsFixture.h"
#include "PathUtil.h"
#include "PumpMessages.h"
#include "WaitUntil.h"

namespace {

void Command(UINT id)
{
    theControlPanel.SendMessage(WM_COMMAND, id, 0);
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

std::string Label(UINT id)
{
    CString text;
    theControlPanel.GetDlgItem(id)->GetWindowText(text);
    return (LPCTSTR)text;
}

bool Checked(CMenu& menu, UINT id)
{
    return (menu.GetMenuState(id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::vector<std::string> Texts(const DialogWatcher& watcher)
{
    std::vector<std::string> texts;
    for (const ShownDialog& box : watcher.Dialogs())
        texts.push_back(box.caption + ": " + box.text);
    return texts;
}

// Each step tunes the card and names the channel by its place in the list; the recall goes
// back to the channel watched before.
TEST_F(KavexWindowsTest, ChannelCommandsTuneTheCardAndShowTheChannel)
{
    struct Case
    {
        UINT command;
        const char* station;
        const char* label;
    } cases[] = {{IDC_CHANNEL_UP, "SIM-4", "2,C"},
                 {IDC_CHANNEL_DOWN, "SIM-3", "1,B"},
                 {IDC_LAST_CHANNEL, "SIM-4", "2,C"},
                 {IDC_CHANNEL_UP, "SIM-1", "0,A"},
                 {IDC_CHANNEL_DOWN, "SIM-4", "2,C"}};
    for (const Case& c : cases) {
        Command(c.command);
        EXPECT_TRUE(WaitUntil(3000, [&] { return CardValue("station") == c.station; }))
            << c.command << " " << c.label << " station " << CardValue("station");
        EXPECT_EQ(c.label, Label(IDC_CHANNEL_LABEL)) << c.command;
        EXPECT_STREQ(c.label, theVideoWnd.GetChannelOverlay().GetText());
    }
    Command(IDC_CHANNEL_DOWN);
    EXPECT_EQ("1,B", Label(IDC_CHANNEL_LABEL));
}

// While busy, or on a line input, the steps change nothing; with no channels they do nothing
// and the wall says why it cannot open.
TEST_F(KavexWindowsTest, ChannelCommandsRefuseWhileBusyOrWithoutChannels)
{
    std::string before = CardValue("station");
    ASSERT_TRUE(theTVSystem.StartScan(1));
    Command(IDC_CHANNEL_UP);
    theTVSystem.StopScan();
    theControlPanel.EnableRunButtons(FALSE);
    theControlPanel.SetMute(FALSE);
    EXPECT_EQ("1,B", Label(IDC_CHANNEL_LABEL)) << "refused while scanning";

    theTVSystem.SetVideoSource(CTVSystem::kSourceComposite);
    Command(IDC_CHANNEL_DOWN);
    EXPECT_EQ(theTVSystem.GetChannelIndex(), 1) << "refused on the composite input";
    theTVSystem.SetVideoSource(CTVSystem::kSourceTuner);

    WriteProgramFile("TVChannel.ini", "[General]\r\nTotal=0\r\n");
    theTVSystem.LoadChannels();
    theControlPanel.SyncButtons();
    DialogWatcher watcher;
    watcher.OnlyCaption("Kavex");
    for (UINT id : {IDC_CHANNEL_UP, IDC_CHANNEL_DOWN, IDC_LAST_CHANNEL, IDC_TV_WALL})
        Command(id);
    EXPECT_EQ(std::vector<std::string>{"Kavex: 当前频道为空，不能进入电视墙!"}, Texts(watcher));
    EXPECT_EQ((CChannelEntry*)NULL, theTVSystem.GetCurrentChannel());

    WriteProgramFile("TVChannel.ini", kTVChannels);
    theTVSystem.LoadChannels();
    theTVSystem.RestoreChannelSelection();
    theTVSystem.RetuneCurrentChannel();
    theControlPanel.ShowChannelInfo(theTVSystem.GetCurrentChannel());
}

TEST_F(KavexWindowsTest, ASnapshotIsWrittenAndToldOverThePicture)
{
    TempFolder pictures;
    CString kept = theTVSystem.GetSettings().picPath;
    theTVSystem.GetSettings().picPath = pictures.Path().c_str();
    Command(IDC_SNAPSHOT);
    theTVSystem.GetSettings().picPath = kept;
    EXPECT_STREQ("快照成功", theVideoWnd.GetStatusOverlay().GetText());
    EXPECT_TRUE(Visible(theVideoWnd.GetStatusOverlay()));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((pictures.Path() + "\\*.*p*g").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "a picture in " << pictures.Path();
    FindClose(search);
    EXPECT_GT(found.nFileSizeLow, 1000u) << found.cFileName;
}

// The source steps through the card's inputs, each routed on its crossbar, and back to the
// tuner with its channel.
TEST_F(KavexWindowsTest, TheSourceCommandRoutesTheNextInput)
{
    std::string tunerRoute = CardValue("video_route");
    Command(IDC_SWITCH_SOURCE);
    EXPECT_EQ(CTVSystem::kSourceComposite, theTVSystem.GetVideoSource());
    EXPECT_NE(tunerRoute, CardValue("video_route"));
    EXPECT_EQ("AV", Label(IDC_CHANNEL_LABEL));
    EXPECT_FALSE(Enabled(IDC_CHANNEL_UP));
    for (int i = 0; i < 3 && theTVSystem.GetVideoSource() != CTVSystem::kSourceTuner; i++)
        Command(IDC_SWITCH_SOURCE);
    ASSERT_EQ(CTVSystem::kSourceTuner, theTVSystem.GetVideoSource());
    EXPECT_EQ(tunerRoute, CardValue("video_route"));
    EXPECT_EQ("1,B", Label(IDC_CHANNEL_LABEL));
    EXPECT_TRUE(Enabled(IDC_CHANNEL_UP));
}

// The volume moves in steps of five within 0 .. 100 and shows itself over the picture.
TEST_F(KavexWindowsTest, VolumeStepsStayWithinTheirBounds)
{
    struct Case
    {
        int start;
        UINT command;
        int volume;
    } cases[] = {{50, ID_VOLUME_UP, 55}, {50, ID_VOLUME_DOWN, 45}, {98, ID_VOLUME_UP, 100},
                 {100, ID_VOLUME_UP, 100}, {3, ID_VOLUME_DOWN, 0}, {0, ID_VOLUME_DOWN, 0}};
    CWnd* trackbar = theControlPanel.GetDlgItem(IDC_VOLUME);
    for (const Case& c : cases) {
        trackbar->SendMessage(TBM_SETPOS, TRUE, c.start);
        Command(c.command);
        EXPECT_EQ(c.volume, (int)trackbar->SendMessage(TBM_GETPOS)) << c.start;
        int line = -1;
        ASSERT_TRUE(theTVSystem.GetPlayLineVolume(&line));
        EXPECT_EQ(c.volume, line) << c.start;
        EXPECT_STREQ("音量", theVideoWnd.GetProgressOverlay().GetText());
        EXPECT_EQ(c.volume, theVideoWnd.GetProgressOverlay().GetProgress());
    }
    EXPECT_TRUE(Visible(theVideoWnd.GetProgressOverlay()));
    trackbar->SendMessage(TBM_SETPOS, TRUE, 60);
    Command(ID_VOLUME_DOWN);
}

// A format item checks itself among its kind and names the format on the panel.
TEST_F(KavexWindowsTest, FormatItemsCheckThemselvesAndNameTheFormat)
{
    struct Case
    {
        UINT item;
        bool fm;
        const char* label;
        int format;
    } cases[] = {{ID_FORMAT_AVI + 2, false, "Mpeg2", 2}, {ID_FORMAT_AVI + 7, false, "HIDVD", 7},
                 {ID_FM_FORMAT_PCM + 1, true, "ADPCM", 1}, {ID_FORMAT_AVI, false, "AVI", 0}};
    for (const Case& c : cases) {
        Command(c.item);
        EXPECT_EQ(c.label, Label(IDC_FORMAT_LABEL));
        CMenu& menu = c.fm ? (CMenu&)theControlPanel.GetFMFormatMenu() : (CMenu&)theControlPanel.GetFormatMenu();
        UINT first = c.fm ? ID_FM_FORMAT_PCM : ID_FORMAT_AVI;
        UINT last = c.fm ? ID_FM_FORMAT_CUSTOM : ID_FORMAT_HIDVD;
        for (UINT id = first; id <= last; id++)
            EXPECT_EQ(id == c.item, Checked(menu, id)) << c.label << " item " << id;
        EXPECT_EQ(c.format, c.fm ? theTVSystem.GetFMRecordFormat() : theTVSystem.GetRecordFormat());
    }
}

// The size items give the window its width, centred, and then 4:3 its height; the aspect
// items check one of three.
TEST_F(KavexWindowsTest, SizeAndAspectItemsShapeTheVideoWindow)
{
    CNewMenu& menu = theControlPanel.GetPanelMenu();
    struct Case
    {
        UINT item;
        CSize size;  // 0 by 0: the size is left alone
        CSize ratio;
    } cases[] = {{ID_RATIO_16_9, CSize(0, 0), CSize(16, 9)}, {ID_SIZE_HALF, CSize(320, 280), CSize(4, 3)},
                 {ID_RATIO_FREE, CSize(0, 0), CSize(1, 1)}, {ID_SIZE_NORMAL, CSize(640, 480), CSize(4, 3)},
                 {ID_RATIO_4_3, CSize(0, 0), CSize(4, 3)}};
    for (const Case& c : cases) {
        Command(c.item);
        CRect window;
        theVideoWnd.GetWindowRect(&window);
        CRect client;
        theVideoWnd.GetClientRect(&client);
        if (c.ratio != CSize(1, 1)) {
            EXPECT_NEAR(client.Width() * c.ratio.cy / c.ratio.cx, client.Height(), 2) << c.item;
        }
        if (c.size.cx != 0) {
            EXPECT_EQ(c.size.cx, window.Width()) << c.item;
            CRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
            EXPECT_NEAR(screen.CenterPoint().x, window.CenterPoint().x, 1) << c.item;
        }
        EXPECT_EQ(c.ratio, theVideoWnd.GetAspectRatio()) << c.item;
        UINT checked = c.ratio == CSize(4, 3) ? ID_RATIO_4_3 : c.ratio == CSize(16, 9) ? ID_RATIO_16_9 : ID_RATIO_FREE;
        for (UINT id : {ID_RATIO_FREE, ID_RATIO_4_3, ID_RATIO_16_9})
            EXPECT_EQ(id == checked, Checked(menu, id)) << c.item << " item " << id;
    }
}

// The caption shows the eight bytes of the two parameters, the lowest of wParam first.
TEST_F(KavexWindowsTest, HexBytesBecomeThePanelsCaption)
{
    EXPECT_EQ(0, theControlPanel.SendMessage(WM_SHOW_HEX_BYTES, 0x04030201, 0x08070605));
    CString caption;
    theControlPanel.GetWindowText(caption);
    EXPECT_STREQ("1 2 3 4 5 6 7 8", caption);
    theControlPanel.SendMessage(WM_SHOW_HEX_BYTES, 0xFF00A0, 0);
    theControlPanel.GetWindowText(caption);
    EXPECT_STREQ("a0 0 ff 0 0 0 0 0", caption);
}

// One digit picks its channel at once; in two-digit mode the first waits with a dash.
TEST_F(KavexWindowsTest, DigitEntrySelectsByIndex)
{
    theControlPanel.OnDigit(2);
    EXPECT_EQ("2,C", Label(IDC_CHANNEL_LABEL));
    Command(ID_DIGIT_MODE);
    ASSERT_TRUE(theControlPanel.IsTwoDigitMode());
    EXPECT_STREQ("--", theVideoWnd.GetDigitOverlay().GetText());
    theControlPanel.OnDigit(0);
    EXPECT_STREQ("0-", theVideoWnd.GetDigitOverlay().GetText());
    EXPECT_EQ("2,C", Label(IDC_CHANNEL_LABEL)) << "the first of two digits waits";
    theControlPanel.OnDigit(1);
    EXPECT_EQ("1,B", Label(IDC_CHANNEL_LABEL));
    EXPECT_FALSE(Visible(theVideoWnd.GetDigitOverlay()));
    Command(ID_DIGIT_MODE);
    EXPECT_FALSE(theControlPanel.IsTwoDigitMode());
}

// Without a help file beside the program the user is told.
TEST_F(KavexWindowsTest, HelpWithoutItsFileSaysSo)
{
    DialogWatcher watcher;
    // Without an application object the framework's boxes carry the program's file name.
    watcher.OnlyCaption("uiapp_kavex_tests.exe");
    Command(IDC_HELP_BUTTON);
    std::vector<ShownDialog> boxes = watcher.Dialogs();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("打开帮助文件失败", boxes[0].text);
}

// Reads the about box when it opens and presses its updater button, then closes it, from a
// thread timer that the box's own loop runs.
struct AboutBoxReader
{
    static std::string web, mail, webText;
    static int seen;
    UINT_PTR timer;
    AboutBoxReader()
    {
        web = mail = webText = "";
        seen = 0;
        timer = SetTimer(NULL, 0, 50, Read);
    }
    static void CALLBACK Read(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = FindWindowA("#32770", "关于Halden电视卡");
        if (box == NULL || !IsWindowVisible(box) || GetPropA(box, "read"))
            return;
        SetPropA(box, "read", (HANDLE)1);
        seen++;
        CHyperLink* link = dynamic_cast<CHyperLink*>(CWnd::FromHandlePermanent(GetDlgItem(box, IDC_WEB_LINK)));
        web = link != NULL ? (LPCTSTR)link->GetURL() : "";
        char text[100] = "";
        GetDlgItemTextA(box, IDC_WEB_LINK, text, sizeof(text));
        webText = text;
        link = dynamic_cast<CHyperLink*>(CWnd::FromHandlePermanent(GetDlgItem(box, IDC_MAIL_LINK)));
        mail = link != NULL ? (LPCTSTR)link->GetURL() : "";
        SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDC_UPDATE, BN_CLICKED), (LPARAM)GetDlgItem(box, IDC_UPDATE));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    ~AboutBoxReader() { KillTimer(NULL, timer); }
};
std::string AboutBoxReader::web, AboutBoxReader::mail, AboutBoxReader::webText;
int AboutBoxReader::seen;

// Ends the program whose start line the log holds. It inherited the test's output, so a copy
// left running would hold the test runner waiting for the end of that output.
void EndProgramOfLog(const std::string& log)
{
    size_t at = log.find("S pid=");
    ASSERT_NE(std::string::npos, at);
    DWORD pid = strtoul(log.c_str() + at + 6, NULL, 10);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    ASSERT_NE((HANDLE)NULL, process) << pid;
    TerminateProcess(process, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);
}

// The about box opens from the panel's command and from its system menu; its links carry the
// maker's addresses and its button hands the updater its seven fields.
TEST_F(KavexWindowsTest, TheAboutBoxLinksTheMakerAndStartsTheUpdater)
{
    const std::string log = "C:\\sim\\log\\Patchwell.log";
    for (int way = 0; way < 2; way++) {
        DeleteFileA(log.c_str());
        AboutBoxReader reader;
        if (way == 0)
            Command(IDC_ABOUT);
        else
            theControlPanel.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        ASSERT_EQ(1, AboutBoxReader::seen) << way;
        EXPECT_EQ("http://www.quorvex.example", AboutBoxReader::web);
        EXPECT_EQ("www.quorvex.example", AboutBoxReader::webText);
        EXPECT_EQ("mailto:support@quorvex.example", AboutBoxReader::mail);
        ASSERT_TRUE(WaitUntil(10000, [&] { return TempFolder::ReadWholeFile(log).find("S pid=") != std::string::npos; }));
        std::string expected = "params=视频窗口,update.quorvex.example,Kavex,kavex,kavex-update,TRUE," +
                               std::string((LPCTSTR)theTVSystem.GetAppDir());
        EXPECT_NE(std::string::npos, TempFolder::ReadWholeFile(log).find(expected)) << TempFolder::ReadWholeFile(log);
        EndProgramOfLog(TempFolder::ReadWholeFile(log));
    }
}

// The search button starts a scan with its progress over the picture and stops it again; the
// channels found go into the channel file.
TEST_F(KavexWindowsTest, TheSearchButtonStartsAndStopsAScan)
{
    Command(IDC_SEARCH);
    ASSERT_TRUE(theTVSystem.IsScanning());
    EXPECT_TRUE(Visible(theVideoWnd.GetScanOverlay()));
    EXPECT_TRUE(Enabled(IDC_SEARCH)) << "the scan can be stopped";
    EXPECT_FALSE(Enabled(IDC_RECORD));
    PumpMessagesUntil([] { return !theVideoWnd.GetScanResults().empty(); }, 10000);
    Command(IDC_SEARCH);
    EXPECT_FALSE(theTVSystem.IsScanning());
    EXPECT_TRUE(Enabled(IDC_RECORD));
    PumpMessagesUntil([] { return !Visible(theVideoWnd.GetScanOverlay()); }, 5000);
    theTVSystem.SaveChannels();
    CString file = theTVSystem.GetAppDir() + "\\TVChannel.ini";
    std::string channels = TempFolder::ReadWholeFile((LPCTSTR)file);
    EXPECT_NE(std::string::npos, channels.find("Channel-0=")) << channels;

    WriteProgramFile("TVChannel.ini", kTVChannels);
    theTVSystem.LoadChannels();
    theTVSystem.RestoreChannelSelection();
    theTVSystem.RetuneCurrentChannel();
    theControlPanel.ShowChannelInfo(theTVSystem.GetCurrentChannel());
}

} // namespace
