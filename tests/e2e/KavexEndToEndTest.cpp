// Kavex as a user meets it, in a prefix of its own on a display of its own: installed in the
// suite folder, started beside the tray, watched, tuned, muted, pictured, recorded and ended
// with keys and clicks on its windows, then started again where it was left.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "DialogWatcher.h"
#include "ProgramProcess.h"
#include "RegistryValue.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WaitUntil.h"
#include "WindowPixels.h"
#include "WindowQuery.h"

namespace {

const char kSuite[] = "C:\\Program Files\\Quorvex\\Skyvault III";
const char kVideoTitle[] = "视频窗口";
const char kToolBarTitle[] = "ScreenTool";
// The set-up wizard of every start: its button 1187 is "下一步", then "完成".
const char kWizardTitle[] = "Kavex ----- 配置向导";
const int kWizardNext = 1187;
const char kSettingsKey[] = "Software\\Quorvex\\Kavex\\Settings";
const char kLogFolder[] = "C:\\sim\\log";
const char kStations[] = "tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5";
const char kChannels[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=B,184250,1\r\nChannel-2=C,471250,1\r\n";
const DWORD kStartMs = 60000;
const DWORD kStepMs = 10000;
const DWORD kRecordMs = 5000;

// Panel controls and the commands the default shortcut table binds.
enum { kRecordButton = 1003, kVolume = 1081, kChannelLabel = 1082, kMuteButton = 1084, kExitButton = 1105 };

std::string SuiteFile(const char* name)
{
    return std::string(kSuite) + "\\" + name;
}

std::string ReadLog(const char* module)
{
    return TempFolder::ReadWholeFile(std::string(kLogFolder) + "\\" + module + ".log");
}

std::string Param(const char* section, const char* key)
{
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof(value), SuiteFile("TVParam.ini").c_str());
    return value;
}

// The files of a folder whose names match the pattern, written since the time given: the
// prefix copy may hold earlier runs' files.
std::vector<std::string> FilesSince(const std::string& folder, const char* pattern, const FILETIME& since)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && CompareFileTime(&found.ftLastWriteTime, &since) >= 0)
            files.push_back(folder + "\\" + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

bool ServiceRuns(const char* name)
{
    SC_HANDLE manager = OpenSCManagerA(NULL, NULL, SC_MANAGER_CONNECT);
    if (manager == NULL)
        return false;
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS);
    SERVICE_STATUS status = {};
    bool runs = service != NULL && QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
    if (service != NULL)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return runs;
}

// A click in the middle of a control as a hand gives it: the mouse comes to rest over it, the
// button goes down and, a moment later, up.
void ClickOn(HWND control)
{
    RECT rect;
    GetClientRect(control, &rect);
    POINT middle = {rect.right / 2, rect.bottom / 2};
    UserInput::MoveTo(control, middle);
    UserInput::Settle(200);
    UserInput::ButtonDown(control, middle);
    UserInput::Settle(100);
    UserInput::ButtonUp(control, middle);
    UserInput::Settle(200);
}

// The screen's pixels over a window, as the user sees them (the window of another process keeps
// its own pixels out of reach of this one).
std::vector<DWORD> ScreenOver(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    HDC screen = GetDC(NULL);
    std::vector<DWORD> pixels = WindowPixels::ReadDC(screen, rect);
    ReleaseDC(NULL, screen);
    return pixels;
}

int Differences(const std::vector<DWORD>& a, const std::vector<DWORD>& b)
{
    int differ = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        differ += a[i] != b[i];
    return differ;
}

class KavexEndToEnd : public testing::Test
{
protected:
    // Starts the program from its folder as the user does, and waits for its windows.
    void Start()
    {
        m_kavex.reset(new ProgramProcess(SuiteFile("Kavex.exe"), "", kSuite));
        ASSERT_TRUE(m_kavex->IsStarted()) << m_kavex->StartError();
        // Every message box of the program is recorded (and answered): the run expects none.
        m_watcher.reset(new DialogWatcher(m_kavex->Pid()));
        m_watcher->OnlyCaption("Kavex");
        // The user passes the wizard with its defaults, clicking its button on each page.
        HWND wizard = FindTopWindow(kWizardTitle, m_kavex->Pid(), kStartMs);
        ASSERT_NE((HWND)NULL, wizard) << "the set-up wizard";
        for (int page = 0; page < 2 && IsWindow(wizard); ++page) {
            ASSERT_TRUE(WaitUntilVisible(wizard, kStepMs));
            UserInput::BringToFront(wizard);
            ClickOn(GetDlgItem(wizard, kWizardNext));
            UserInput::Settle(500);
        }
        EXPECT_TRUE(WaitUntil(kStepMs, [&] { return !IsWindow(wizard); })) << "the wizard finished";
        m_video = FindTopWindow(kVideoTitle, m_kavex->Pid(), kStartMs);
        ASSERT_NE((HWND)NULL, m_video);
        ASSERT_TRUE(WaitUntilVisible(m_video, kStartMs));
        ASSERT_TRUE(WaitUntil(kStepMs, [&] { return (m_panel = FindWindowWithControl(m_kavex->Pid(), kChannelLabel)) != NULL; }));
        ASSERT_TRUE(WaitUntilVisible(m_panel, kStepMs));
        UserInput::BringToFront(m_video);
    }

    void ExpectNoBoxes()
    {
        for (const ShownDialog& box : m_watcher->Dialogs())
            ADD_FAILURE() << "a box: " << box.caption << ": " << box.text;
    }

    // Ends the program by the panel's exit button.
    void ExitByThePanel()
    {
        HWND exit = GetDlgItem(m_panel, kExitButton);
        ASSERT_NE((HWND)NULL, exit);
        ClickOn(exit);
        bool ended = m_kavex->Wait(30000);
        ExpectNoBoxes();
        ASSERT_TRUE(ended) << "the program ends";
    }

    std::string Station()
    {
        std::string state = "\n" + m_card("state");
        size_t at = state.find("\nstation=");
        return at == std::string::npos ? "" : state.substr(at + 9, state.find('\n', at + 9) - at - 9);
    }

    // The frequency the card's tuner is set to, in kHz.
    double Tuned()
    {
        std::string state = "\n" + m_card("state");
        size_t at = state.find("\nt=");
        return at == std::string::npos ? 0.0 : atof(state.c_str() + at + 3);
    }

    std::string Label() { return ControlText(m_panel, kChannelLabel); }

    SimControl m_card{0};
    std::unique_ptr<ProgramProcess> m_kavex;
    std::unique_ptr<DialogWatcher> m_watcher;
    HWND m_video = NULL;
    HWND m_panel = NULL;
};

TEST_F(KavexEndToEnd, AUserWatchesTunesMutesPicturesRecordsAndComesBack)
{
    // A seeded channel list, the first channel last watched, no shortcut file yet, the tray
    // running as the program left it at an earlier exit.
    TempFolder::WriteWholeFile(SuiteFile("TVChannel.ini"), kChannels);
    TempFolder::WriteWholeFile(SuiteFile("TVParam.ini"), "[Asistant]\r\nLastChannel=0\r\n");
    DeleteFileA(SuiteFile("Accel.txt").c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quorvex\\Kavex");
    DeleteFileA((std::string(kLogFolder) + "\\Pocketel.log").c_str());
    m_card(kStations);
    FILETIME runStart;
    GetSystemTimeAsFileTime(&runStart);
    ProgramProcess tray(SuiteFile("Pocketel.exe"), "", kSuite);
    ASSERT_TRUE(WaitUntil(kStepMs, [] { return ReadLog("Pocketel").find("S pid=") != std::string::npos; }));

    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_NE((HWND)NULL, FindTopWindow(kToolBarTitle, m_kavex->Pid(), kStepMs)) << "the screen tool bar";
    EXPECT_TRUE(WaitUntil(kStepMs, [] { return ReadLog("Pocketel").find("WM_CLOSE") != std::string::npos; }))
        << "the tray closed at the start: " << ReadLog("Pocketel");
    EXPECT_EQ("0,A", Label());
    EXPECT_EQ("SIM-1", Station());

    // A channel step by its key: the label, the overlay over the picture and the tuner follow.
    UserInput::Key(VK_UP);
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return Label() == "1,B"; })) << Label();
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return HasWindowWithText(m_kavex->Pid(), "1,B"); })) << "the channel overlay";
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return Station() == "SIM-3"; })) << Station();
    EXPECT_NEAR(184250.0, Tuned(), 100.0) << "the station's frequency on the card's tuner";

    // The mute button clicked at its place shows itself pressed.
    HWND mute = GetDlgItem(m_panel, kMuteButton);
    ASSERT_NE((HWND)NULL, mute);
    UserInput::MoveTo(m_panel, POINT{1, 1});
    std::vector<DWORD> unmuted = ScreenOver(mute);
    ClickOn(mute);
    UserInput::MoveTo(m_panel, POINT{1, 1});
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return Differences(unmuted, ScreenOver(mute)) > 10; }))
        << "the mute button checked";

    // A snapshot by its shortcut.
    UserInput::BringToFront(m_video);
    UserInput::Key('T', VK_CONTROL);
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return HasWindowWithText(m_kavex->Pid(), "快照成功"); }));

    // Rec/Stop clicked, a few seconds of recording, clicked again.
    HWND record = GetDlgItem(m_panel, kRecordButton);
    ASSERT_NE((HWND)NULL, record);
    ClickOn(record);
    DWORD recordStart = GetTickCount();
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return HasWindowWithText(m_kavex->Pid(), "录像:VCD"); }))
        << "the record overlay names the format";
    Sleep(kRecordMs);
    ClickOn(record);
    printf("recorded_ms=%lu\n", GetTickCount() - recordStart);

    // The volume raised by its key.
    HWND volume = GetDlgItem(m_panel, kVolume);
    int level = (int)SendMessageA(volume, TBM_GETPOS, 0, 0);
    UserInput::BringToFront(m_video);
    UserInput::Key(VK_RIGHT);
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return (int)SendMessageA(volume, TBM_GETPOS, 0, 0) == (level > 95 ? 100 : level + 5); }))
        << "from " << level;

    RECT panelPlace;
    GetWindowRect(m_panel, &panelPlace);
    ASSERT_NO_FATAL_FAILURE(ExitByThePanel());

    // What the exit kept.
    EXPECT_EQ("1", Param("Asistant", "LastChannel"));
    EXPECT_NE(std::string::npos, TempFolder::ReadWholeFile(SuiteFile("TVParam.ini")).find("[Window]"));
    EXPECT_EQ(0u, RegistryDword(HKEY_CURRENT_USER, kSettingsKey, "bFirstRun"));
    EXPECT_EQ("44 binary", RegistryValueShape(HKEY_CURRENT_USER, kSettingsKey, "VideoPlayerWindowPos"));
    EXPECT_EQ("44 binary", RegistryValueShape(HKEY_CURRENT_USER, kSettingsKey, "ControlPanelWindowPos"));
    std::string accel = TempFolder::ReadWholeFile(SuiteFile("Accel.txt"));
    // The default table: its two groups "面板" and "菜单" first, as counted strings.
    EXPECT_EQ(std::string("\x02\x00\x04\xc3\xe6\xb0\xe5\x04\xb2\xcb\xb5\xa5", 12), accel.substr(0, 12));
    EXPECT_TRUE(WaitUntil(kStepMs, [] {
        std::string log = ReadLog("Pocketel");
        return log.find("S pid=", log.find("WM_CLOSE")) != std::string::npos;
    })) << "the tray started again at the exit: " << ReadLog("Pocketel");
    EXPECT_TRUE(WaitUntil(kStepMs, [] { return ServiceRuns("RemoteControlService"); }));

    std::vector<std::string> pictures = FilesSince(Param("Record", "PicPath"), "*.*p*g", runStart);
    EXPECT_EQ(1u, pictures.size()) << "the snapshot in " << Param("Record", "PicPath");
    std::vector<std::string> recordings = FilesSince(Param("Record", "VideoPath"), "*.mpg", runStart);
    ASSERT_EQ(1u, recordings.size()) << "the recording in " << Param("Record", "VideoPath");
    // The runner reads the recording's streams and length.
    printf("recording=%s\n", recordings[0].c_str());

    // The second start: the channel of the first run's end, the panel where it was left.
    if (HWND trayWindow = FindTopWindow("Remote Control Tray", 0, kStepMs))
        SendMessageTimeoutA(trayWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ("1,B", Label());
    EXPECT_TRUE(WaitUntil(kStepMs, [&] { return Station() == "SIM-3"; })) << Station();
    RECT again;
    GetWindowRect(m_panel, &again);
    EXPECT_TRUE(EqualRect(&panelPlace, &again)) << "panel at " << again.left << "," << again.top << " was "
                                                << panelPlace.left << "," << panelPlace.top;
    ASSERT_NO_FATAL_FAILURE(ExitByThePanel());
    // The tray the second exit started leaves the desktop with the test.
    if (HWND trayWindow = FindTopWindow("Remote Control Tray", 0, kStepMs))
        SendMessageTimeoutA(trayWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
}

} // namespace
