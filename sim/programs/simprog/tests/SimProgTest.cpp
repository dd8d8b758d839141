// The outside programs as the TV program and the scenarios meet them: copies of simprog.exe
// under the programs' names, started with the command lines they are given, watched through
// their windows, messages and logs.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "MessageSink.h"
#include "MutexHolder.h"
#include "TempFolder.h"
#include "WaitUntil.h"

namespace {

const UINT WM_RELEASE_DEVICE = 0x4400;
const UINT WM_RESUME_DEVICE = 0x4401;
const char kSuite[] = "C:\\Program Files\\Quorvex\\Skyvault III";

std::string TestFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string LogPath(const std::string& stem)
{
    return "C:\\sim\\log\\" + stem + ".log";
}


struct WindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param)
{
    WindowSearch* search = (WindowSearch*)param;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window) || GetParent(window) != NULL)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The process's visible top-level window, NULL when none appeared in time. Found by process,
// not by title: a prefix where the TV program ran starts a tray copy of its own at each boot.
HWND ProcessWindow(HANDLE process, DWORD timeoutMs = 10000)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(20)) {
        WindowSearch search = {GetProcessId(process), NULL};
        EnumWindows(FindProcessWindow, (LPARAM)&search);
        if (search.found != NULL)
            return search.found;
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            break;
    }
    return NULL;
}

// One copy of simprog.exe under a program's name in a folder with a blank, started and ended
// by the test. Its log is read from where it stood when the copy was made.
class ProgramCopy
{
public:
    explicit ProgramCopy(const std::string& stem)
        : m_stem(stem), m_logStart(TempFolder::ReadWholeFile(LogPath(stem)).size())
    {
        std::string folder = m_temp.FilePath("Outside Programs");
        CreateDirectoryA(folder.c_str(), NULL);
        m_path = folder + "\\" + stem + ".exe";
        m_ready = CopyFileA((TestFolder() + "\\simprog.exe").c_str(), m_path.c_str(), FALSE) != FALSE;
    }

    ~ProgramCopy()
    {
        if (m_process == NULL)
            return;
        if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_process, 1);
        CloseHandle(m_process);
    }

    const std::string& Path() const { return m_path; }
    const std::string& Folder() const { return m_temp.Path(); }

    // Runs `tail` after the quoted program path (a leading blank included when wanted).
    bool Start(const std::string& tail, const std::string& workingFolder = "C:\\")
    {
        std::string line = "\"" + m_path + "\"" + tail;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (!m_ready || !CreateProcessA(m_path.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL,
                                        workingFolder.c_str(), &startup, &info))
            return false;
        CloseHandle(info.hThread);
        m_process = info.hProcess;
        m_processId = info.dwProcessId;
        return true;
    }

    DWORD ProcessId() const { return m_processId; }

    HWND Window() const { return ProcessWindow(m_process); }

    // TRUE when it ended in time; its exit code then in *exitCode.
    bool Ended(DWORD timeoutMs, DWORD* exitCode) const
    {
        if (WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
            return false;
        GetExitCodeProcess(m_process, exitCode);
        return true;
    }

    // Closes its window as a user would and waits for the program to end.
    bool Close(DWORD* exitCode) const
    {
        HWND window = Window();
        DWORD_PTR result = 0;
        return window != NULL &&
               SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result) != 0 &&
               Ended(10000, exitCode);
    }

    std::string Log() const
    {
        std::string log = TempFolder::ReadWholeFile(LogPath(m_stem));
        return log.size() > m_logStart ? log.substr(m_logStart) : std::string();
    }

private:
    TempFolder m_temp;
    std::string m_stem;
    size_t m_logStart;
    std::string m_path;
    bool m_ready = false;
    HANDLE m_process = NULL;
    DWORD m_processId = 0;
};

// The switches of one stem, HKLM\Software\Sim\prog\<stem>, removed again at the end.
class ProgramSwitches
{
public:
    explicit ProgramSwitches(const std::string& stem) : m_key("Software\\Sim\\prog\\" + stem) {}
    ~ProgramSwitches() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, m_key.c_str()); }

    bool Set(const char* name, DWORD value) const
    {
        return Write(name, REG_DWORD, (const BYTE*)&value, sizeof(value));
    }
    bool Set(const char* name, const std::string& text) const
    {
        return Write(name, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
    }

private:
    bool Write(const char* name, DWORD type, const BYTE* data, DWORD size) const
    {
        HKEY key = NULL;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) !=
            ERROR_SUCCESS)
            return false;
        LONG error = RegSetValueExA(key, name, 0, type, data, size);
        RegCloseKey(key);
        return error == ERROR_SUCCESS;
    }

    std::string m_key;
};

std::string Hex(HWND window)
{
    char text[16];
    snprintf(text, sizeof(text), "%08lX", (unsigned long)(ULONG_PTR)window);
    return text;
}

// Where `text` is in the log after `from`; npos when it is not.
size_t Find(const std::string& log, const std::string& text, size_t from = 0)
{
    return log.find(text, from);
}

} // namespace

TEST(SimProgTest, EachCopyShowsItsProgramsWindowAndEndsOnClose)
{
    struct Row
    {
        const char* stem;
        const char* title;
    };
    const Row rows[] = {
        {"Pocketel", "Remote Control Tray"},
        {"Reelview", "Reelview"},
        {"Pictoscan", "Pictoscan"},
        {"Patchwell", "Patchwell"},
        {"Kavex", "视频窗口"},
        {"vlmstub", " Media Manage Desktop "},
        {"Sentinel", "Sentinel"},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        ProgramCopy copy(rows[i].stem);
        ASSERT_TRUE(copy.Start("")) << "row " << i;
        HWND window = copy.Window();
        ASSERT_NE(nullptr, window) << "row " << i;
        char title[64] = "";
        GetWindowTextA(window, title, sizeof(title));
        EXPECT_STREQ(rows[i].title, title) << "row " << i;
        EXPECT_FALSE(IsIconic(window)) << "row " << i;
        DWORD exitCode = 99;
        ASSERT_TRUE(copy.Close(&exitCode)) << "row " << i;
        EXPECT_EQ(0u, exitCode) << "row " << i;
        std::string log = copy.Log();
        size_t start = Find(log, "S pid=" + std::to_string(copy.ProcessId()) + " params= cwd=C:\\\r\n");
        size_t close = Find(log, " M WM_CLOSE\r\n", start);
        EXPECT_NE(std::string::npos, start) << "row " << i << "\n" << log;
        EXPECT_NE(std::string::npos, close) << "row " << i << "\n" << log;
        EXPECT_NE(std::string::npos, Find(log, " X 0\r\n", close)) << "row " << i << "\n" << log;
    }
}

TEST(SimProgTest, StartLineHoldsTheParametersAsReceived)
{
    ProgramCopy copy("Reelview");
    ASSERT_TRUE(copy.Start("  \"C:\\My Videos\" /H=0  ", copy.Folder()));
    HWND window = copy.Window();
    ASSERT_NE(nullptr, window);
    // The sentinel of the power-off case: the session's end is logged before anything else ends.
    SendMessageA(window, WM_ENDSESSION, TRUE, 0);
    DWORD exitCode = 99;
    ASSERT_TRUE(copy.Close(&exitCode));
    std::string log = copy.Log();
    EXPECT_NE(std::string::npos, Find(log, " params= \"C:\\My Videos\" /H=0   cwd=" + copy.Folder() + "\r\n")) << log;
    EXPECT_NE(std::string::npos, Find(log, " A 0=C:\\My Videos\r\n")) << log;
    EXPECT_NE(std::string::npos, Find(log, " A 1=/H=0\r\n")) << log;
    EXPECT_EQ(std::string::npos, Find(log, " A 2=")) << log;
    EXPECT_NE(std::string::npos, Find(log, " M WM_ENDSESSION\r\n")) << log;
}

TEST(SimProgTest, MoviePlayerHandsTheDeviceOverAndBack)
{
    ProgramSwitches switches("Reelview");
    ASSERT_TRUE(switches.Set("ReleaseMs", 300));
    MessageSink tvWindow;
    ProgramCopy copy("Reelview");
    char tail[64];
    snprintf(tail, sizeof(tail), " /P=C:\\VIDEO~1 /H=%lu", (unsigned long)(ULONG_PTR)tvWindow.Handle());
    ASSERT_TRUE(copy.Start(tail));
    ASSERT_TRUE(tvWindow.WaitFor(WM_RELEASE_DEVICE, 10000));
    EXPECT_FALSE(tvWindow.WaitFor(WM_RESUME_DEVICE, 200)) << "resumed while still running";
    DWORD exitCode = 99;
    ASSERT_TRUE(copy.Close(&exitCode));
    EXPECT_TRUE(tvWindow.WaitFor(WM_RESUME_DEVICE, 5000));
    std::string log = copy.Log();
    size_t release = Find(log, " P 4400 -> " + Hex(tvWindow.Handle()) + "\r\n");
    EXPECT_NE(std::string::npos, release) << log;
    EXPECT_NE(std::string::npos, Find(log, " P 4401 -> " + Hex(tvWindow.Handle()) + "\r\n", release)) << log;
}

TEST(SimProgTest, MoviePlayerWithoutReleaseDelayKeepsOffTheDevice)
{
    MessageSink tvWindow;
    ProgramCopy copy("Reelview");
    char tail[64];
    snprintf(tail, sizeof(tail), " /P=C:\\VIDEO~1 /H=%lu", (unsigned long)(ULONG_PTR)tvWindow.Handle());
    ASSERT_TRUE(copy.Start(tail));
    ASSERT_NE(nullptr, copy.Window());
    DWORD exitCode = 99;
    ASSERT_TRUE(copy.Close(&exitCode));
    EXPECT_FALSE(tvWindow.WaitFor(WM_RELEASE_DEVICE, 0));
    EXPECT_FALSE(tvWindow.WaitFor(WM_RESUME_DEVICE, 0));
}

TEST(SimProgTest, MediaDesktopGivesWayWhileTheDeviceIsTaken)
{
    ProgramCopy copy("vlmstub");
    ASSERT_TRUE(copy.Start(""));
    HWND window = copy.Window();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_RELEASE_DEVICE, 0, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsIconic(window) != FALSE; }));
    PostMessageA(window, WM_RESUME_DEVICE, 0, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return IsZoomed(window) != FALSE; }));
    DWORD exitCode = 99;
    ASSERT_TRUE(copy.Close(&exitCode));
    std::string log = copy.Log();
    size_t at = 0;
    for (const char* line : {" W normal\r\n", " M 4400\r\n", " W minimized\r\n", " M 4401\r\n", " W maximized\r\n"}) {
        at = Find(log, line, at);
        ASSERT_NE(std::string::npos, at) << line << "\n" << log;
    }
}

TEST(SimProgTest, ImageBrowserCountsThePicturesOfItsFolder)
{
    TempFolder pictures;
    std::string folder = pictures.FilePath("Snap Shots");
    CreateDirectoryA(folder.c_str(), NULL);
    for (const char* name : {"a.bmp", "b.JPG", "c.jpeg", "d.tif", "notes.txt", "bmp"})
        TempFolder::WriteWholeFile(folder + "\\" + name, "x");
    CreateDirectoryA((folder + "\\e.bmp").c_str(), NULL);
    struct Row
    {
        std::string params;
        std::string line;
    };
    const Row rows[] = {
        {" " + folder, " F " + folder + " pictures=4\r\n"},
        {" \"" + folder + "\"", " F " + folder + " pictures=4\r\n"},
        {" C:\\nowhere", " ! no folder C:\\nowhere\r\n"},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        ProgramCopy copy("Pictoscan");
        ASSERT_TRUE(copy.Start(rows[i].params)) << "row " << i;
        DWORD exitCode = 99;
        ASSERT_TRUE(copy.Close(&exitCode)) << "row " << i;
        std::string log = copy.Log();
        EXPECT_NE(std::string::npos, Find(log, rows[i].line)) << "row " << i << "\n" << log;
    }
}

TEST(SimProgTest, UpdaterLogsEachFieldOnItsOwnLine)
{
    ProgramCopy copy("Patchwell");
    ASSERT_TRUE(copy.Start(" 视频窗口,http://update.example/tv,Kavex,,secret word,TRUE,C:\\Program Files\\Quorvex\\Skyvault III",
                           kSuite));
    DWORD exitCode = 99;
    ASSERT_TRUE(copy.Close(&exitCode));
    std::string log = copy.Log();
    const char* fields[] = {"视频窗口", "http://update.example/tv", "Kavex", "", "secret word", "TRUE",
                            "C:\\Program Files\\Quorvex\\Skyvault III"};
    size_t at = 0;
    for (int i = 0; i < 7; ++i) {
        at = Find(log, " F " + std::to_string(i) + "=" + fields[i] + "\r\n", at);
        ASSERT_NE(std::string::npos, at) << "field " << i << "\n" << log;
    }
    EXPECT_EQ(std::string::npos, Find(log, " F 7=")) << log;
}

TEST(SimProgTest, SwitchesShapeTheCopy)
{
    ProgramSwitches switches("SimProgSwitches");
    std::string mutexName = MutexHolder::UniqueName("SimProgTest");
    ASSERT_TRUE(switches.Set("Title", "Second Copy"));
    ASSERT_TRUE(switches.Set("Mutex", mutexName));
    ASSERT_TRUE(switches.Set("Minimized", 1));
    ASSERT_TRUE(switches.Set("IgnoreClose", 1));
    ASSERT_TRUE(switches.Set("LifeMs", 3000));
    ASSERT_TRUE(switches.Set("ExitCode", 3));
    ProgramCopy copy("SimProgSwitches");
    ASSERT_TRUE(copy.Start(""));
    HWND window = copy.Window();
    ASSERT_NE(nullptr, window);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Second Copy", title);
    EXPECT_TRUE(IsIconic(window));

    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, mutexName.c_str());
    ASSERT_NE(nullptr, mutex);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(mutex, 0)) << "the copy does not hold its mutex";

    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &result);
    DWORD exitCode = 99;
    EXPECT_FALSE(copy.Ended(300, &exitCode)) << "ended on WM_CLOSE";
    ASSERT_TRUE(copy.Ended(10000, &exitCode));
    EXPECT_EQ(3u, exitCode);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(mutex, 0)) << "the mutex was not let go at the end";
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    std::string log = copy.Log();
    size_t close = Find(log, " M WM_CLOSE\r\n");
    EXPECT_NE(std::string::npos, close) << log;
    EXPECT_NE(std::string::npos, Find(log, " X 3\r\n", close)) << log;
}

TEST(SimProgTest, InstalledCopiesStartAsTheTvProgramStartsThem)
{
    for (const char* path : {"C:\\Program Files\\Quorvex\\Skyvault III\\Pocketel.exe",
                             "C:\\Program Files\\Quorvex\\Reelview\\Reelview.exe",
                             "C:\\Program Files\\Quorvex\\Pictoscan\\Pictoscan.exe",
                             "C:\\Program Files\\Quorvex\\Update\\Patchwell.exe", "C:\\sim\\tools\\vlmstub.exe",
                             "C:\\sim\\tools\\simprog.exe"})
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path)) << path;

    size_t logStart = TempFolder::ReadWholeFile(LogPath("Pocketel")).size();
    std::string program = std::string(kSuite) + "\\Pocketel.exe";
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "Open";
    info.lpFile = program.c_str();
    info.lpDirectory = kSuite;
    info.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExA(&info));
    ASSERT_NE(nullptr, info.hProcess);
    HWND window = ProcessWindow(info.hProcess);
    ASSERT_NE(nullptr, window);
    char title[64] = "";
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ("Remote Control Tray", title);
    // The TV program closes the tray at its start this way, then waits half a second.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 5000));
    TerminateProcess(info.hProcess, 1);
    std::string log = TempFolder::ReadWholeFile(LogPath("Pocketel")).substr(logStart);
    std::string start = "S pid=" + std::to_string(GetProcessId(info.hProcess)) + " params= cwd=" + kSuite + "\r\n";
    EXPECT_NE(std::string::npos, Find(log, start)) << log;
    CloseHandle(info.hProcess);
}
