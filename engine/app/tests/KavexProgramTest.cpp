// Kavex.exe run as the user runs it, from a program folder of its own over the simulated card,
// and driven from outside through its windows: start-up and the one-copy rule, what the
// program shows, the ways it ends and what it keeps, the messages other programs send it, the
// maker's programs it starts and the daily shutdown's countdown.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppMessages.h"
#include "DebugHelperWindow.h"
#include "DialogWatcher.h"
#include "ProgramProcess.h"
#include "PumpMessages.h"
#include "RegistryValue.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "WindowQuery.h"

namespace {

const char kVideoTitle[] = "视频窗口";
// The set-up wizard of every start, passed with its defaults: "下一步", then "完成".
const char kWizardTitle[] = "Kavex ----- 配置向导";
const int kWizardNext = 1187;
const char kProfileKey[] = "Software\\Quorvex\\Kavex";
const char kMakerFolder[] = "C:\\Program Files\\Quorvex";
const char kLogFolder[] = "C:\\sim\\log";
const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kStations[] = "tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const char kChannels[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=B,184250,1\r\nChannel-2=C,471250,1\r\n";
const DWORD kStartMs = 30000;
const DWORD kExitMs = 30000;

std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    PathRemoveFileSpecA(path);
    return path;
}

void CopyTree(const std::string& from, const std::string& to)
{
    CreateDirectoryA(to.c_str(), NULL);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string ReadLog(const std::string& module)
{
    return TempFolder::ReadWholeFile(std::string(kLogFolder) + "\\" + module + ".log");
}

std::string ProfileBinarySize(const char* entry)
{
    return RegistryValueShape(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Settings", entry);
}

DWORD ProfileInt(const char* entry)
{
    return RegistryDword(HKEY_CURRENT_USER, std::string(kProfileKey) + "\\Settings", entry);
}

void WriteProfile(const char* entry, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    std::string path = std::string(kProfileKey) + "\\Settings";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &key, NULL));
    RegSetValueExA(key, entry, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
}

// The state the program left: not a first run, the screen unchanged.
void MarkEarlierRun()
{
    DWORD zero = 0;
    DWORD cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    WriteProfile("bFirstRun", REG_DWORD, &zero, sizeof(zero));
    WriteProfile("xScreen", REG_DWORD, &cx, sizeof(cx));
    WriteProfile("yScreen", REG_DWORD, &cy, sizeof(cy));
}

class KavexProgramTest : public testing::Test
{
protected:
    void SetUp() override
    {
        char value[MAX_PATH];
        DWORD size = sizeof(value);
        m_hadRunValue = SHGetValueA(HKEY_LOCAL_MACHINE, kRunKey, "Pocketel", NULL, value, &size) == ERROR_SUCCESS;
        // Without the remote-control service's folder the program starts no service, which
        // would outlive it in the prefix.
        size = sizeof(m_serviceFolder);
        if (SHGetValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService", NULL, m_serviceFolder, &size) != ERROR_SUCCESS)
            m_serviceFolder[0] = '\0';
        SHDeleteValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService");
        m_card(kStations);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
        CopyTree(ModuleFolder() + "\\kavex_program", m_folder.Path());
        m_folder.Write("TVChannel.ini", kChannels);
        DeleteFileA((std::string(kLogFolder) + "\\Pocketel.log").c_str());
        DeleteFileA((std::string(kLogFolder) + "\\Reelview.log").c_str());
        DeleteFileA((std::string(kLogFolder) + "\\Pictoscan.log").c_str());
    }

    void TearDown() override
    {
        if (m_kavex && m_kavex->IsRunning())
            m_kavex->Kill();
        // The program enters its tray in the Run key; the prefix's other tests want it clean.
        if (!m_hadRunValue)
            SHDeleteValueA(HKEY_LOCAL_MACHINE, kRunKey, "Pocketel");
        if (m_serviceFolder[0] != '\0')
            SHSetValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService", REG_SZ, m_serviceFolder,
                        (DWORD)strlen(m_serviceFolder) + 1);
        // The tray the program starts at its exit.
        if (HWND tray = FindTopWindow("Remote Control Tray", 0, 0))
            SendMessageTimeoutA(tray, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
    }

    std::string Program() const { return m_folder.FilePath("Kavex.exe"); }

    // Starts the program and waits for its video window to show.
    HWND Start(const std::string& arguments = std::string())
    {
        m_kavex.reset(new ProgramProcess(Program(), arguments, m_folder.Path()));
        EXPECT_TRUE(m_kavex->IsStarted()) << m_kavex->StartError();
        // The program's own boxes, all captioned with its name; its windows are dialogs too.
        m_watcher.reset(new DialogWatcher(m_kavex->Pid()));
        m_watcher->OnlyCaption("Kavex");
        PassWizard();
        HWND video = FindTopWindow(kVideoTitle, m_kavex->Pid(), kStartMs);
        EXPECT_NE((HWND)NULL, video);
        if (video != NULL) {
            EXPECT_TRUE(WaitUntilVisible(video, kStartMs));
        }
        m_panel = FindWindowWithControl(m_kavex->Pid(), 1082);
        return video;
    }

    void PassWizard()
    {
        HWND wizard = FindTopWindow(kWizardTitle, m_kavex->Pid(), kStartMs);
        if (wizard == NULL)
            return;
        for (int page = 0; page < 2 && IsWindow(wizard); page++) {
            PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(kWizardNext, BN_CLICKED),
                         (LPARAM)GetDlgItem(wizard, kWizardNext));
            Sleep(300);
        }
    }

    bool Ends(DWORD* code = NULL) { return m_kavex->Wait(kExitMs, code); }

    std::string Station()
    {
        std::string state = "\n" + m_card("state");
        size_t at = state.find("\nstation=");
        return at == std::string::npos ? "" : state.substr(at + 9, state.find('\n', at + 9) - at - 9);
    }

    // The frames the card has delivered; none while no program has it open.
    unsigned long Frames()
    {
        std::string state;
        if (FAILED(m_card.Run("state", &state)))
            return 0;
        unsigned long frames = 0;
        for (const char* pin : {"cap_frames=", "prv_frames="}) {
            size_t at = state.find(pin);
            if (at != std::string::npos)
                frames += strtoul(state.c_str() + at + 11, NULL, 10);
        }
        return frames;
    }

    TempFolder m_folder;
    SimControl m_card{0};
    std::unique_ptr<ProgramProcess> m_kavex;
    std::unique_ptr<DialogWatcher> m_watcher;
    HWND m_panel = NULL;
    bool m_hadRunValue = false;
    char m_serviceFolder[MAX_PATH] = "";
};

// The first start: the last channel tuned and shown, the video window 640 x 480 with the panel
// beneath it, the media desktop out of the way and the trace line sent; a close by the window
// keeps the placements and the window settings, starts the tray and turns the screen saver on.
TEST_F(KavexProgramTest, FirstStartShowsTheStationAndTheExitKeepsTheState)
{
    DebugHelperWindow trace;
    ProgramProcess desktop("C:\\sim\\tools\\vlmstub.exe");
    HWND media = FindTopWindow(" Media Manage Desktop ", desktop.Pid(), 10000);
    ASSERT_NE((HWND)NULL, media);
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");

    HWND video = Start();
    ASSERT_NE((HWND)NULL, video);
    ASSERT_NE((HWND)NULL, m_panel);
    EXPECT_EQ("SIM-3", Station());
    EXPECT_EQ("1,B", ControlText(m_panel, 1082));
    EXPECT_TRUE(HasWindowWithText(m_kavex->Pid(), "1,B")) << "the channel overlay";
    RECT window, panel;
    GetWindowRect(video, &window);
    GetWindowRect(m_panel, &panel);
    EXPECT_EQ(640, window.right - window.left);
    EXPECT_EQ(480, window.bottom - window.top);
    EXPECT_EQ(window.bottom, panel.top) << "the panel sits beneath: video " << window.left << ","
                                        << window.top << " panel " << panel.left << "," << panel.top;
    EXPECT_NEAR((window.left + window.right) / 2, (panel.left + panel.right) / 2, 1);
    EXPECT_EQ(0u, ProfileInt("bFirstRun"));
    EXPECT_EQ((DWORD)GetSystemMetrics(SM_CXSCREEN), ProfileInt("xScreen"));
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsIconic(media) != FALSE; })) << "the media desktop minimised";
    bool traced = false;
    for (const std::string& line : trace.Texts())
        traced |= line.find("$$@@4096$$@@Hide VLM") != std::string::npos && line.find("$$@@") == 0;
    EXPECT_TRUE(traced);

    PostMessageA(video, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ends());
    EXPECT_EQ("44 binary", ProfileBinarySize("VideoPlayerWindowPos"));
    EXPECT_EQ("44 binary", ProfileBinarySize("ControlPanelWindowPos"));
    EXPECT_EQ(1u, ProfileInt("ShowMainPanel"));
    std::string param = m_folder.Read("TVParam.ini");
    EXPECT_NE(std::string::npos, param.find("[Window]"));
    EXPECT_NE(std::string::npos, param.find("VideoSize=640,480"));
    EXPECT_TRUE(WaitUntil(10000, [] { return ReadLog("Pocketel").find("S pid=") != std::string::npos; }))
        << "the tray started at the exit";
    EXPECT_NE(std::string::npos, ReadLog("Pocketel").find("cwd=" + m_folder.Path()));
    BOOL saver = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &saver, 0);
    EXPECT_TRUE(saver);
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsZoomed(media) != FALSE; })) << "the media desktop back";
}

// The wizard's child page that holds the control.
HWND WizardPage(HWND wizard, int controlId)
{
    for (HWND page = FindWindowExA(wizard, NULL, "#32770", NULL); page != NULL;
         page = FindWindowExA(wizard, page, "#32770", NULL))
        if (GetDlgItem(page, controlId) != NULL)
            return page;
    return NULL;
}

// Another row of a wizard page's combo chosen as the user chooses it; its text.
std::string ChooseOtherRow(HWND page, int comboId)
{
    HWND combo = GetDlgItem(page, comboId);
    int row = SendMessageA(combo, CB_GETCURSEL, 0, 0) == 1 ? 2 : 1;
    SendMessageA(combo, CB_SETCURSEL, row, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), (LPARAM)combo);
    // A drop-down list's window text is its chosen row's, and crosses the process boundary.
    return WindowTextOf(combo);
}

std::string IniValue(const std::string& path, const char* section, const char* key)
{
    char value[256] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), path.c_str());
    return value;
}

// The wizard's cancel button asks first: Cancel keeps the wizard, OK lets the program go on
// starting; the country and record format chosen before are kept at the exit.
TEST_F(KavexProgramTest, TheWizardCancelledAtTheStartKeepsItsChoices)
{
    const int kCountry = 1024, kRecordFormat = 1092, kWizardCancel = 1185;
    m_kavex.reset(new ProgramProcess(Program(), "", m_folder.Path()));
    ASSERT_TRUE(m_kavex->IsStarted()) << m_kavex->StartError();
    DialogWatcher boxes(m_kavex->Pid());
    boxes.OnlyCaption("Kavex");
    boxes.PressId(IDCANCEL);
    HWND wizard = FindTopWindow(kWizardTitle, m_kavex->Pid(), kStartMs);
    ASSERT_NE((HWND)NULL, wizard);
    ASSERT_TRUE(WaitUntilVisible(wizard, kStartMs));
    HWND region = WizardPage(wizard, kCountry);
    ASSERT_NE((HWND)NULL, region);
    std::string country = ChooseOtherRow(region, kCountry);
    ASSERT_FALSE(country.empty());
    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(kWizardNext, BN_CLICKED), (LPARAM)GetDlgItem(wizard, kWizardNext));
    HWND formats = WizardPage(wizard, kRecordFormat);
    ASSERT_NE((HWND)NULL, formats);
    ASSERT_TRUE(WaitUntilVisible(formats, 5000));
    int format = SendMessageA(GetDlgItem(formats, kRecordFormat), CB_GETCURSEL, 0, 0) == 1 ? 2 : 1;
    ChooseOtherRow(formats, kRecordFormat);

    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(kWizardCancel, BN_CLICKED), (LPARAM)GetDlgItem(wizard, kWizardCancel));
    ASSERT_TRUE(WaitUntil(10000, [&] { return boxes.Dialogs().size() == 1; }));
    EXPECT_EQ("放弃配置向导", boxes.Dialogs()[0].text);
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(wizard)) << "Cancel keeps the wizard";
    EXPECT_EQ((HWND)NULL, FindTopWindow(kVideoTitle, m_kavex->Pid(), 0)) << "the program waits for the wizard";

    boxes.PressId(IDOK);
    PostMessageA(wizard, WM_COMMAND, MAKEWPARAM(kWizardCancel, BN_CLICKED), (LPARAM)GetDlgItem(wizard, kWizardCancel));
    EXPECT_TRUE(WaitUntil(10000, [&] { return !IsWindow(wizard); }));
    HWND video = FindTopWindow(kVideoTitle, m_kavex->Pid(), kStartMs);
    ASSERT_NE((HWND)NULL, video) << "OK goes on starting";
    EXPECT_TRUE(WaitUntilVisible(video, kStartMs));
    EXPECT_EQ(2u, boxes.Dialogs().size());
    PostMessageA(video, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ends());
    std::string param = m_folder.FilePath("TVParam.ini");
    EXPECT_EQ(country, IniValue(param, "Device", "Country"));
    EXPECT_EQ(std::to_string(format), IniValue(param, "Record", "RecordFormat"));
}

// A second copy brings the first one's video window up and ends, touching nothing.
TEST_F(KavexProgramTest, ASecondCopyRaisesTheFirstAndEnds)
{
    HWND video = Start();
    ASSERT_NE((HWND)NULL, video);
    ShowWindow(video, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil(5000, [&] { return IsIconic(video) != FALSE; }));
    std::string channels = m_folder.Read("TVChannel.ini");

    ProgramProcess second(Program(), "", m_folder.Path());
    ASSERT_TRUE(second.Wait(10000)) << "the second copy ends";
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsZoomed(video) != FALSE; }));
    EXPECT_TRUE(m_kavex->IsRunning());
    EXPECT_EQ(channels, m_folder.Read("TVChannel.ini"));
    PostMessageA(video, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends());
}

// Without its skin the program says so and ends before it touches the card or the files.
TEST_F(KavexProgramTest, AMissingSkinFileIsToldAndNothingIsSaved)
{
    DeleteFileA(m_folder.FilePath("Skin.ini").c_str());
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=2\r\n");
    m_kavex.reset(new ProgramProcess(Program(), "", m_folder.Path()));
    DialogWatcher watcher(m_kavex->Pid());
    watcher.OnlyCaption("Kavex");
    ASSERT_TRUE(Ends());
    ASSERT_EQ(1u, watcher.Dialogs().size());
    EXPECT_EQ("文件不存在!", watcher.Dialogs()[0].text);
    EXPECT_EQ("Kavex", watcher.Dialogs()[0].caption);
    EXPECT_EQ("[Asistant]\r\nLastChannel=2\r\n", m_folder.Read("TVParam.ini"));
    EXPECT_EQ(kChannels, m_folder.Read("TVChannel.ini"));
    EXPECT_EQ("", m_folder.Read("FMChannel.ini"));
}

// Every way out saves the same; only a quit request asks for no tray.
TEST_F(KavexProgramTest, EachWayOutEndsTheProgramAndOnlyAQuitRequestLeavesTheTray)
{
    struct Case
    {
        const char* way;
        bool tray;
    } cases[] = {{"panel close", true}, {"alt+F4", true}, {"quit request", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        DeleteFileA((std::string(kLogFolder) + "\\Pocketel.log").c_str());
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
        HWND video = Start();
        ASSERT_NE((HWND)NULL, video);
        std::string way = c.way;
        if (way == "panel close") {
            PostMessageA(m_panel, WM_CLOSE, 0, 0);
        } else if (way == "quit request") {
            PostMessageA(video, WM_QUIT_REQUEST, 0, 0);
        } else {
            SetForegroundWindow(video);
            WaitUntil(2000, [&] { return GetForegroundWindow() == video; });
            INPUT keys[4] = {};
            for (INPUT& key : keys)
                key.type = INPUT_KEYBOARD;
            keys[0].ki.wVk = keys[3].ki.wVk = VK_MENU;
            keys[1].ki.wVk = keys[2].ki.wVk = VK_F4;
            keys[2].ki.dwFlags = keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(4, keys, sizeof(INPUT));
        }
        ASSERT_TRUE(Ends());
        EXPECT_EQ("44 binary", ProfileBinarySize("ControlPanelWindowPos"));
        // A start of the tray, not the close an earlier case's tray logs when this start closes it.
        bool started = WaitUntil(c.tray ? 10000 : 2000, [] { return ReadLog("Pocketel").find("S pid=") != std::string::npos; });
        EXPECT_EQ(c.tray, started);
        if (HWND tray = FindTopWindow("Remote Control Tray", 0, 2000))
            SendMessageTimeoutA(tray, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    }
}

// The switch starts in full screen; a stored placement of a wrong size is ignored and the
// window maximised.
TEST_F(KavexProgramTest, FullScreenSwitchAndAPlacementOfAnotherSize)
{
    struct Case
    {
        const char* arguments;
        bool earlierRun;
        bool zoomed;
    } cases[] = {{"/StartupFullScreen", false, true},
                 {"/startupfullscreen", false, false},
                 {"", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        SHDeleteKeyA(HKEY_CURRENT_USER, kProfileKey);
        if (c.earlierRun) {
            MarkEarlierRun();
            BYTE placement[40] = {};
            WriteProfile("VideoPlayerWindowPos", REG_BINARY, placement, sizeof(placement));
        }
        HWND video = Start(c.arguments);
        ASSERT_NE((HWND)NULL, video);
        EXPECT_EQ(c.zoomed, WaitUntil(c.zoomed ? 5000 : 1000, [&] { return IsZoomed(video) != FALSE; }));
        PostMessageA(video, WM_CLOSE, 0, 0);
        ASSERT_TRUE(Ends());
    }
}

// Scan messages end in the channel file; a program that takes the card over makes the picture
// stop and come back.
TEST_F(KavexProgramTest, ScanResultsAreKeptAndTheCardIsLentToAnotherProgram)
{
    HWND video = Start();
    ASSERT_NE((HWND)NULL, video);
    SendMessageA(video, WM_SCAN_PROGRESS, 77250, 1);
    SendMessageA(video, WM_SCAN_DONE, 0, 0);

    SendMessageA(video, WM_RELEASE_DEVICE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(video));
    Sleep(300);
    unsigned long released = Frames();
    Sleep(1000);
    EXPECT_EQ(released, Frames()) << "no frames while the card is lent";
    SendMessageA(video, WM_RESUME_DEVICE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(video));
    unsigned long resumed = Frames();
    EXPECT_TRUE(WaitUntil(5000, [&] { return Frames() > resumed; })) << "frames again";

    PostMessageA(video, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Ends());
    EXPECT_NE(std::string::npos, m_folder.Read("TVChannel.ini").find(",77250,"));
}

// The movie player gets the record folder and the video window; the image browser, where it
// is missing, is told of.
TEST_F(KavexProgramTest, TheMakersProgramsStartWithTheirCommandLines)
{
    HWND video = Start();
    ASSERT_NE((HWND)NULL, video);
    SendMessageA(m_panel, WM_COMMAND, 1099, 0);
    ASSERT_TRUE(WaitUntil(10000, [] { return ReadLog("Reelview").find("S pid=") != std::string::npos; }));
    char handle[32];
    sprintf(handle, " /H=%d", (int)(INT_PTR)video);
    std::string log = ReadLog("Reelview");
    EXPECT_NE(std::string::npos, log.find("params=/P=")) << log;
    EXPECT_NE(std::string::npos, log.find(handle)) << log;
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_panel, 1099))) << "one player at a time";
    if (HWND player = FindTopWindow("Reelview", 0, 5000))
        SendMessageTimeoutA(player, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);

    std::string browser = std::string(kMakerFolder) + "\\Pictoscan\\Pictoscan.exe";
    std::string aside = browser + ".aside";
    ASSERT_TRUE(MoveFileA(browser.c_str(), aside.c_str()));
    m_watcher->PressId(IDOK);
    SendMessageA(m_panel, WM_COMMAND, 1100, 0);
    MoveFileA(aside.c_str(), browser.c_str());
    bool told = false;
    for (const ShownDialog& box : m_watcher->Dialogs())
        told |= box.text == "没有找到图片浏览程序!";
    EXPECT_TRUE(told);
    SendMessageA(m_panel, WM_COMMAND, 1100, 0);
    EXPECT_TRUE(WaitUntil(10000, [] { return ReadLog("Pictoscan").find("S pid=") != std::string::npos; }));
    EXPECT_NE(std::string::npos, ReadLog("Pictoscan").find("cwd=" + std::string(kMakerFolder) + "\\Pictoscan"))
        << "the browser runs in its own folder: " << ReadLog("Pictoscan");
    if (HWND viewer = FindTopWindow("Pictoscan", 0, 5000))
        SendMessageTimeoutA(viewer, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);

    PostMessageA(video, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends());
}

// The daily shutdown a few seconds ahead opens the countdown with its seconds and dots; Esc
// keeps the program running.
TEST_F(KavexProgramTest, TheShutdownTimeOpensTheCountdownAndEscKeepsTheProgram)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER at = {{file.dwLowDateTime, file.dwHighDateTime}};
    at.QuadPart += 8ULL * 10000000ULL;
    file.dwLowDateTime = at.LowPart;
    file.dwHighDateTime = at.HighPart;
    SYSTEMTIME shut;
    FileTimeToSystemTime(&file, &shut);
    if (shut.wDay != now.wDay)
        GTEST_SKIP() << "too close to midnight";
    char param[160];
    sprintf(param, "[Schedule]\r\nEnableShut=1\r\nShutTime=%d,%02d,%02d,%02d,%02d,%02d\r\n", shut.wYear,
            shut.wMonth, shut.wDay, shut.wHour, shut.wMinute, shut.wSecond);
    m_folder.Write("TVParam.ini", param);

    ASSERT_NE((HWND)NULL, Start());
    HWND countdown = FindTopWindow("关闭计算机", m_kavex->Pid(), 30000);
    ASSERT_NE((HWND)NULL, countdown);
    std::string seconds = ControlText(countdown, 14010);
    EXPECT_TRUE(WaitUntil(3000, [&] { return ControlText(countdown, 14010) != seconds; }));
    std::string dots = ControlText(countdown, 14011);
    EXPECT_GE(dots.size(), 3u);
    EXPECT_LE(dots.size(), 6u);
    EXPECT_EQ(std::string(dots.size(), '.'), dots);
    PostMessageA(countdown, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return !IsWindow(countdown); }));
    Sleep(500);
    EXPECT_TRUE(m_kavex->IsRunning());
    PostMessageA(FindTopWindow(kVideoTitle, m_kavex->Pid(), 0), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends());
}

// ---- Shortcuts ----

// "Accel.txt" as the default table lays it out, written by the test's own encoder.
struct AccelBytes
{
    std::string data;
    AccelBytes& u8(unsigned v)
    {
        data += (char)v;
        return *this;
    }
    AccelBytes& u16(unsigned v) { return u8(v & 0xFF).u8(v >> 8); }
    AccelBytes& u32(unsigned v) { return u16(v & 0xFFFF).u16(v >> 16); }
    AccelBytes& str(const std::string& s) { return u8((unsigned)s.size()), data += s, *this; }
};

std::string DefaultAccelBytes()
{
    struct Command
    {
        unsigned group, id;
        const char* name;
        const char* comment;
    } commands[] = {
        {0, 1000, "频道+", "频道+"}, {0, 1001, "频道-", "频道-"},
        {0, 1008, "返回前一频道", "返回前一频道"}, {0, 1002, "快照", "快照"},
        {0, 1003, "录像", "录像/停止录像"}, {0, 1163, "暂停", "暂停/继续录像"},
        {0, 1007, "切换视频源", "切换至其他视频源"}, {0, 1004, "电视墙", "进入电视墙"},
        {0, 1099, "回放", "打开回放"}, {0, 1100, "浏览", "打开浏览模块"},
        {1, 32894, "总在最前", "视频窗口总在最前"}, {1, 32895, "全屏", "全屏显示视频窗"},
        {1, 32896, "标准", "标准大小显示视频窗口"}, {1, 32897, "正常", "正常大小显示视频窗口"},
        {0, 1101, "显示/隐藏控制面板", "隐藏控制面板"}, {0, 1084, "静音", "静音"},
        {1, 32903, "音量+", "音量增加"}, {1, 32904, "音量-", "音量减小"},
        {1, 1164, "频道列表", "频道列表"}, {0, 1103, "关于", "关于对话框"}, {0, 1105, "退出", "退出"},
        {0, 1005, "搜台", "搜台"}, {0, 1016, "喜好频道", "使用喜好/停止喜好频道"}, {0, 1166, "Osd", "Osd"},
        {0, 1202, "换肤", "换肤"}, {0, 1102, "帮助", "帮助"}, {0, 3000, "单双位频道切换", "单双位频道切换"},
        {1, 44150, "时间位移", "时间位移"},
    };
    const unsigned ctrl = 0x08, alt = 0x10, ctrlAlt = ctrl | alt;
    struct Key
    {
        unsigned id, key, modifiers;
    } keys[] = {
        {3000, 'N', ctrlAlt}, {3000, 0xBD, 0}, {3000, 0xBF, 0}, {3000, 0xDC, 0}, {1001, VK_DOWN, 0},
        {1000, VK_UP, 0}, {1008, VK_BACK, 0}, {1008, 'B', ctrl}, {1008, 'B', ctrlAlt}, {1002, 'T', ctrl},
        {1003, 'R', ctrlAlt}, {1163, 'C', ctrl}, {1004, 'W', ctrlAlt}, {1007, 'J', ctrlAlt}, {1105, 'X', 0},
        {1084, VK_F8, 0}, {1101, 'H', ctrlAlt}, {1103, 'A', 0}, {1099, 'P', ctrl}, {1100, 'I', ctrlAlt},
        {32894, 'T', 0}, {32895, 'F', ctrl}, {32895, 'Z', ctrlAlt}, {32903, VK_RIGHT, 0},
        {32904, VK_LEFT, 0}, {1005, 'S', ctrlAlt}, {1016, 'F', ctrlAlt}, {1166, 'M', ctrlAlt},
        {1202, 'S', 0}, {1102, VK_F1, 0}, {44150, 'G', ctrlAlt},
    };
    AccelBytes b;
    b.u16(2).str("面板").str("菜单");
    b.u32(sizeof(commands) / sizeof(commands[0]));
    for (const Command& c : commands)
        b.u32(c.group).u16(c.id).str(c.name).str(c.comment);
    b.u32(sizeof(keys) / sizeof(keys[0]));
    // Each key went to the head of the list: the file holds them last first.
    for (int i = (int)(sizeof(keys) / sizeof(keys[0])) - 1; i >= 0; i--)
        b.u8(keys[i].modifiers | FVIRTKEY).u16(keys[i].key).u16(keys[i].id).u16(0);
    return b.data;
}

// Keys with any modifiers held, through SendInput to the window in front.
void KeyChord(std::initializer_list<WORD> modifiers, WORD key)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD m : modifiers)
        add(m, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        add(*it, KEYEVENTF_KEYUP);
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    Sleep(300);
}

bool FillsScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect.right - rect.left >= GetSystemMetrics(SM_CXSCREEN) &&
           rect.bottom - rect.top >= GetSystemMetrics(SM_CYSCREEN);
}

// A start without the table writes the default one; keys posted to the video window and
// chords typed on it each run their command once, and the table's exit key ends the program.
TEST_F(KavexProgramTest, AFreshStartWritesTheDefaultShortcutsAndTheyWork)
{
    m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
    HWND video = Start();
    ASSERT_NE((HWND)NULL, video);
    std::string expected = DefaultAccelBytes();
    EXPECT_EQ(expected.size(), m_folder.Read("Accel.txt").size());
    EXPECT_TRUE(m_folder.Read("Accel.txt") == expected) << "the default table, byte for byte";
    EXPECT_EQ("SIM-3", Station());

    PostMessageA(video, WM_KEYDOWN, VK_UP, 0x00480001);
    EXPECT_TRUE(WaitUntil(5000, [&] { return Station() == "SIM-4"; })) << Station();
    PostMessageA(video, WM_KEYDOWN, VK_DOWN, 0x00500001);
    EXPECT_TRUE(WaitUntil(5000, [&] { return Station() == "SIM-3"; })) << Station();
    Sleep(1000);
    EXPECT_EQ("SIM-3", Station()) << "one step per key";

    SetForegroundWindow(video);
    Sleep(300);
    KeyChord({VK_CONTROL}, 'F');
    EXPECT_TRUE(WaitUntil(5000, [&] { return FillsScreen(video); })) << "Ctrl+F: full screen";
    KeyChord({VK_CONTROL, VK_MENU}, 'Z');
    EXPECT_TRUE(WaitUntil(5000, [&] { return !FillsScreen(video); })) << "Ctrl+Alt+Z: back";

    PostMessageA(video, WM_KEYDOWN, 'X', 0x002D0001);
    EXPECT_TRUE(Ends());
    EXPECT_TRUE(m_folder.Read("Accel.txt") == expected) << "kept as it was";
}

// Each damaged table gives way to the default one, and the program's keys work; the damaged
// file stays byte for byte until the user saves the keys.
TEST_F(KavexProgramTest, ADamagedShortcutFileGivesTheDefaultsAndIsKept)
{
    std::string good = DefaultAccelBytes();
    // The first binding is the last key added (Ctrl+Alt+G); the binding count sits 7 bytes
    // per binding before the end.
    size_t keyCountAt = good.size() - 31 * 7 - 4;
    std::string tooMany = good, zeroKey = good, twice = good, missing = good;
    tooMany[keyCountAt] = (char)32;
    zeroKey[keyCountAt + 4 + 1] = 0;
    zeroKey[keyCountAt + 4 + 2] = 0;
    // The second binding (F1) made a second Ctrl+Alt+G.
    twice.replace(keyCountAt + 4 + 7, 3, good.substr(keyCountAt + 4, 3));
    // Ctrl+Alt+G bound to command 44151, which the table lacks.
    missing[keyCountAt + 4 + 3] = (char)(44151 & 0xFF);
    struct Case
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"a count too large", tooMany},
        {"a zero key", zeroKey},
        {"a duplicate binding", twice},
        {"a binding to a missing command", missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_folder.Write("Accel.txt", c.bytes);
        m_folder.Write("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
        HWND video = Start();
        ASSERT_NE((HWND)NULL, video);
        EXPECT_TRUE(m_folder.Read("Accel.txt") == c.bytes);
        PostMessageA(video, WM_KEYDOWN, VK_UP, 0x00480001);
        EXPECT_TRUE(WaitUntil(5000, [&] { return Station() == "SIM-4"; })) << Station();
        PostMessageA(video, WM_KEYDOWN, 'X', 0x002D0001);
        ASSERT_TRUE(Ends());
        EXPECT_TRUE(m_folder.Read("Accel.txt") == c.bytes) << "after the program ended";
    }
}

} // namespace
