// One scratch installation of the desktop program for the tests that run it from outside, and
// the helpers that watch it: its windows, the outside-program stand-ins' logs, its processes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DebugHelperWindow.h"
#include "DialogWatcher.h"
#include "ProgramProcess.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "WindowQuery.h"

// Vista's, which the tree's target version leaves undeclared.
extern "C" BOOL WINAPI QueryFullProcessImageNameA(HANDLE process, DWORD flags, LPSTR name,
                                                  PDWORD size);

namespace {

const char kTitle[] = " Media Manage Desktop ";
const char kTvWindow[] = "\xCA\xD3\xC6\xB5\xB4\xB0\xBF\xDA";  // 视频窗口
const char kHttpOpenCommand[] = "Software\\Classes\\http\\shell\\open\\command";
const char kStubSwitches[] = "Software\\Sim\\prog\\Kavex";
// HKCU\Software\<key>\Quorvex媒体娱乐中心\Settings
const char kProfileSettings[] =
    "Software\\Local AppWizard-Generated Applications\\Quorvex\xC3\xBD\xCC\xE5\xD3\xE9\xC0\xD6"
    "\xD6\xD0\xD0\xC4\\Settings";
const int kViewId = 0xE900;
const int kSceneIds[] = {1003, 1004, 1005, 1006};
const int kVideoBrowserId = 2007;
const UINT WM_KIT_ACTIVATE = 0x404;
const UINT WM_ACTIVATE_REQUEST = 0x408;
const UINT WM_RELEASE_DEVICE = 0x4400;
const DWORD kStartMs = 30000;

inline std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, MAX_PATH);
    *strrchr(path, '\\') = '\0';
    return path;
}

inline std::string ShortPath(const std::string& path)
{
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return shortPath;
}

inline std::string StubLog(const char* stem)
{
    return TempFolder::ReadWholeFile(std::string("C:\\sim\\log\\") + stem + ".log");
}

inline bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

inline int CountOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The settings archive's 17 fields in file order; texts shorter than 255 bytes.
struct Settings
{
    int allowSeveralMedia = 0;
    std::string tvProgram, pictureFolder, musicFolder, musicPlayer, videoFolder, videoPlayer;
    int slideshowSeconds = 5;
    std::string backgrounds[4];
    int runAtStartup = 0, stretch = 0;
    std::string videoTypes = ".avi.zzq.", pictureTypes = ".jpg.", musicTypes = ".mp3.";

    std::string Encode() const
    {
        std::string out;
        auto number = [&](int value) { out.append((const char*)&value, 4); };
        auto text = [&](const std::string& value) {
            out += (char)value.size();
            out += value;
        };
        number(allowSeveralMedia);
        for (const std::string* value :
             {&tvProgram, &pictureFolder, &musicFolder, &musicPlayer, &videoFolder, &videoPlayer})
            text(*value);
        number(slideshowSeconds);
        for (const std::string& value : backgrounds)
            text(value);
        number(runAtStartup);
        number(stretch);
        text(videoTypes);
        text(pictureTypes);
        text(musicTypes);
        return out;
    }
};

// The windows titled so (any title: NULL) of programs whose file lies under one of the folders:
// the desktop's copies and what they start, which may run under their short paths.
struct FolderWindowSearch
{
    std::vector<std::string> folders;
    const char* title;
    std::vector<HWND> found;
};

inline BOOL CALLBACK CollectWindowOfFolder(HWND window, LPARAM param)
{
    auto* search = (FolderWindowSearch*)param;
    char text[256] = "";
    GetWindowTextA(window, text, sizeof(text));
    if (search->title && strcmp(text, search->title) != 0)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return TRUE;
    char image[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameA(process, 0, image, &size)) {
        for (const std::string& folder : search->folders) {
            if (_strnicmp(image, folder.c_str(), folder.size()) == 0) {
                search->found.push_back(window);
                break;
            }
        }
    }
    CloseHandle(process);
    return TRUE;
}

inline std::vector<HWND> WindowsTitled(const char* title)
{
    std::vector<HWND> windows;
    for (HWND window = FindWindowExA(NULL, NULL, NULL, title); window;
         window = FindWindowExA(NULL, window, NULL, title))
        windows.push_back(window);
    return windows;
}

inline DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

inline bool ProcessEnds(DWORD pid, DWORD timeoutMs)
{
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process)
        return true;
    bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Whether the process runs a file of that stem, in any folder.
inline bool ImageStemIs(DWORD pid, const char* stem)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return false;
    char image[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    BOOL known = QueryFullProcessImageNameA(process, 0, image, &size);
    CloseHandle(process);
    const std::string name = std::string("\\") + stem + ".exe";
    return known && size >= name.size() && _stricmp(image + size - name.size(), name.c_str()) == 0;
}

// One scratch installation: the program folder "TV" with vlm.exe, its copy Orbitelle.exe and the
// stub Kavex.exe; "Media Player\Reelview.exe"; "My Video" with two files. Every run of the desktop
// happens under a lock of the tests' own, as the desktop's mutex is one per prefix; whatever the
// installation's programs left running goes with it.
class Installation
{
public:
    Installation() : m_lock(CreateMutexA(NULL, FALSE, "VelmoraLauncherTests"))
    {
        WaitForSingleObject(m_lock, INFINITE);
        m_program = m_root.Path() + "\\TV";
        m_player = m_root.Path() + "\\Media Player\\Reelview.exe";
        m_videos = m_root.Path() + "\\My Video";
        CreateDirectoryA(m_program.c_str(), NULL);
        CreateDirectoryA((m_root.Path() + "\\Media Player").c_str(), NULL);
        CreateDirectoryA(m_videos.c_str(), NULL);
        const std::string here = ModuleFolder();
        CopyFileA((here + "\\vlm.exe").c_str(), (m_program + "\\vlm.exe").c_str(), FALSE);
        CopyFileA((here + "\\vlm.exe").c_str(), (m_program + "\\Orbitelle.exe").c_str(), FALSE);
        CopyFileA((here + "\\simprog.exe").c_str(), (m_program + "\\Kavex.exe").c_str(), FALSE);
        CopyFileA((here + "\\simprog.exe").c_str(), m_player.c_str(), FALSE);
        TempFolder::WriteWholeFile(m_videos + "\\clip one.avi", "not a film");
        TempFolder::WriteWholeFile(m_videos + "\\tune.zzq", "nothing plays this");
        m_settings.tvProgram = m_program + "\\Kavex.exe";
        m_settings.videoFolder = m_videos;
        m_settings.videoPlayer = m_player;
        m_settings.musicPlayer = m_player;
        DeleteFileA("C:\\sim\\log\\Kavex.log");
        DeleteFileA("C:\\sim\\log\\Reelview.log");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kStubSwitches);
        SetCloseAllOnExit(-1);
    }
    ~Installation()
    {
        std::vector<DWORD> pids;
        for (HWND window : Windows(NULL))
            pids.push_back(ProcessOf(window));
        // The stand-ins log their process ids: one the desktop left running has no window of
        // this folder's path when it runs under its short path.
        for (const char* stem : {"Kavex", "Reelview"}) {
            const std::string log = StubLog(stem);
            for (size_t at = log.find("S pid="); at != std::string::npos;
                 at = log.find("S pid=", at + 1)) {
                const DWORD pid = strtoul(log.c_str() + at + 6, NULL, 10);
                if (ImageStemIs(pid, stem))
                    pids.push_back(pid);
            }
        }
        for (DWORD pid : pids) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (process) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 5000);
                CloseHandle(process);
            }
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kStubSwitches);
        SetCloseAllOnExit(-1);
        ReleaseMutex(m_lock);
        CloseHandle(m_lock);
    }

    Settings& GetSettings() { return m_settings; }
    // What Start writes in place of the settings (a damaged file); empty: the settings.
    void SetArchive(const std::string& bytes) { m_archive = bytes; }

    // Top-level windows of this installation's programs titled so (any: NULL).
    std::vector<HWND> Windows(const char* title) const
    {
        FolderWindowSearch search{{m_root.Path() + "\\", ShortPath(m_root.Path()) + "\\"}, title, {}};
        EnumWindows(CollectWindowOfFolder, (LPARAM)&search);
        return search.found;
    }
    // The first of them, waiting up to timeoutMs for one.
    HWND WaitForWindow(const char* title, DWORD timeoutMs = 10000) const
    {
        HWND found = NULL;
        WaitUntil(timeoutMs, [&] {
            std::vector<HWND> windows = Windows(title);
            found = windows.empty() ? NULL : windows[0];
            return found != NULL;
        });
        return found;
    }
    const std::string& Root() const { return m_root.Path(); }
    const std::string& Player() const { return m_player; }
    const std::string& Videos() const { return m_videos; }
    std::string Program(const char* name = "vlm.exe") const { return m_program + "\\" + name; }

    // A start as a shortcut makes it, after the settings are written; the first process's
    // exit code, or -1 when it did not end.
    long Start(const std::string& arguments, const char* name = "vlm.exe")
    {
        TempFolder::WriteWholeFile(m_program + "\\VLM.exe.sav", m_archive.empty() ? m_settings.Encode() : m_archive);
        ProgramProcess first(Program(name), arguments, m_program);
        DWORD code = 0;
        return first.Wait(kStartMs, &code) ? (long)code : -1;
    }

    // -1: the value removed, so the default holds.
    static void SetCloseAllOnExit(int value)
    {
        HKEY key;
        if (RegCreateKeyA(HKEY_CURRENT_USER, kProfileSettings, &key) != ERROR_SUCCESS)
            return;
        if (value < 0)
            RegDeleteValueA(key, "bCloseAllOnExit");
        else
            RegSetValueExA(key, "bCloseAllOnExit", 0, REG_DWORD, (const BYTE*)&value, 4);
        RegCloseKey(key);
    }

    static void SetStubSwitch(const char* name, DWORD value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_LOCAL_MACHINE, kStubSwitches, &key));
        RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE*)&value, 4);
        RegCloseKey(key);
    }

private:
    HANDLE m_lock;
    TempFolder m_root;
    std::string m_program;
    std::string m_player;
    std::string m_videos;
    Settings m_settings;
    std::string m_archive;
};

// The one desktop window there is, once it is shown.
inline HWND TheDesktop()
{
    HWND frame = FindTopWindow(kTitle, 0, kStartMs);
    if (frame)
        WaitUntilVisible(frame, kStartMs);
    return frame;
}

inline HWND Scene(HWND frame, int page)
{
    return GetDlgItem(GetDlgItem(frame, kViewId), kSceneIds[page]);
}

inline bool ShowsPage(HWND frame, int page)
{
    return WaitUntil(10000, [&] { return IsWindowVisible(Scene(frame, page)) != FALSE; });
}

inline bool LogHas(const char* stem, const std::string& text, DWORD timeoutMs = 10000)
{
    return WaitUntil(timeoutMs, [&] { return Has(StubLog(stem), text); });
}

inline bool TraceHas(const DebugHelperWindow& viewer, const std::string& text)
{
    return WaitUntil(10000, [&] {
        for (const std::string& line : viewer.Texts()) {
            if (Has(line, text))
                return true;
        }
        return false;
    });
}

// Closes the desktop as its user does and waits for its process.
inline bool CloseDesktop(HWND frame)
{
    DWORD pid = ProcessOf(frame);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    return ProcessEnds(pid, kStartMs);
}

}  // namespace
