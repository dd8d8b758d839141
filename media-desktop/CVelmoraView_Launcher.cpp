// The view as a launcher: the programs it starts, watches and closes, the requests of other
// copies of the desktop and the desktop's commands.
#include "CVelmoraView.h"

#include "DebugTrace.h"
#include "KitMessages.h"
#include "ModulePaths.h"
#include "ProcessWindows.h"
#include "VelmoraResource.h"

#include <shellapi.h>

const char CVelmoraView::kHelpFile[] = "Kavex.chm";
const char CVelmoraView::kWebSite[] = "http://www.quorvex.example/";

namespace {

const char kTvArguments[] = " /StartupFullScreen";
const char kHtmlHelpClass[] =
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const UINT kHelpDisplayTopic = 0;

typedef HWND(WINAPI* HtmlHelpFunction)(HWND, LPCSTR, UINT, DWORD_PTR);

// The short form of the path, or the path itself when there is none: a program that cannot be
// found under its long name then fails to start instead of running a garbage name.
CString ShortPath(LPCTSTR path)
{
    char shortPath[MAX_PATH] = "";
    DWORD length = ::GetShortPathNameA(path, shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? CString(shortPath) : CString(path);
}

// HtmlHelpA of the help control the registry names, loaded once and kept, since the help
// window lives in it.
HtmlHelpFunction FindHtmlHelp()
{
    static HMODULE s_module = NULL;
    if (!s_module) {
        char path[MAX_PATH] = "";
        LONG size = sizeof(path);
        if (::RegQueryValueA(HKEY_CLASSES_ROOT, kHtmlHelpClass, path, &size) != ERROR_SUCCESS)
            return NULL;
        s_module = ::LoadLibraryA(path);
        if (!s_module)
            return NULL;
    }
    return (HtmlHelpFunction)(void*)::GetProcAddress(s_module, "HtmlHelpA");
}

}  // namespace

BOOL CVelmoraView::LaunchProgram(LPCTSTR path, LPCTSTR arguments, int showCommand)
{
    DebugTrace("开始新实例%s", path);
    if (!m_settings.m_allowSeveralMedia)
        CloseChildren();

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = (WORD)showCommand;
    const CString program = ShortPath(path);
    const CString folder = SplitPath(program, 2);
    CString commandLine = arguments;
    PROCESS_INFORMATION started = {};
    BOOL result = ::CreateProcessA(program, commandLine.GetBuffer(0), NULL, NULL, FALSE,
                                   NORMAL_PRIORITY_CLASS, NULL,
                                   folder.IsEmpty() ? NULL : (LPCTSTR)folder, &startup, &started);
    commandLine.ReleaseBuffer();
    if (!result)
        return FALSE;
    ::CloseHandle(started.hThread);
    DebugTrace("启动新实例,Proccess:% 8Xd,ID:% 8d", (unsigned)(UINT_PTR)started.hProcess,
               (int)started.dwProcessId);
    m_children.push_back(started);
    SetTimer(kWatchTimer, kWatchMs, NULL);
    return result;
}

void CVelmoraView::CloseChildren()
{
    for (const PROCESS_INFORMATION& child : m_children) {
        DebugTrace("试图关闭ProccessID:%d", (int)child.dwProcessId);
        CloseProcessWindows(child.dwProcessId, child.hProcess);
        ::CloseHandle(child.hProcess);
    }
    m_children.clear();
}

void CVelmoraView::WatchChildren()
{
    for (size_t i = 0; i < m_children.size();) {
        DWORD code = 0;
        ::GetExitCodeProcess(m_children[i].hProcess, &code);
        if (code == STILL_ACTIVE) {
            ++i;
            continue;
        }
        ::CloseHandle(m_children[i].hProcess);
        m_children.erase(m_children.begin() + i);
        // The system may have activated the frame while it is still minimised: that is no
        // desktop back in front either.
        CWnd* main = AfxGetMainWnd();
        if (main && (::GetForegroundWindow() != main->m_hWnd || main->IsIconic() ||
                     !main->IsWindowVisible()))
            BringWindowForward(main->m_hWnd);
    }
    if (m_children.empty())
        KillTimer(kWatchTimer);
}

LRESULT CVelmoraView::OnActivateRequest(WPARAM page, LPARAM request)
{
    if (page <= kMusicPage)
        m_scenes.ShowPage((int)page);
    if (!m_settings.m_allowSeveralMedia)
        CloseChildren();
    if (page == kHomePage && request == ID_START_TV)
        SendMessage(WM_COMMAND, MAKEWPARAM(ID_START_TV, 0), 0);
    return 0;
}

LRESULT CVelmoraView::PlayMedia(WPARAM path, LPARAM kind)
{
    LPCTSTR file = (LPCTSTR)path;
    if (!file || (kind != PLAY_MEDIA_VIDEO && kind != PLAY_MEDIA_MUSIC))
        return 0;
    const CString& player =
        kind == PLAY_MEDIA_VIDEO ? m_settings.m_videoPlayerPath : m_settings.m_musicPlayerPath;
    const CString shortFile = ShortPath(file);
    CString arguments;
    BOOL started = FALSE;
    if (!player.IsEmpty()) {
        CWnd* main = AfxGetMainWnd();
        arguments.Format(" \"%s\" /H=%d", (LPCTSTR)shortFile,
                         main ? (int)(INT_PTR)main->m_hWnd : 0);
        started = LaunchProgram(player, arguments, SW_SHOWMAXIMIZED);
    } else {
        char associated[MAX_PATH] = "";
        if ((INT_PTR)::FindExecutableA(file, "c:\\", associated) > 32 && associated[0]) {
            arguments.Format(" \"%s\"", (LPCTSTR)shortFile);
            started = LaunchProgram(associated, arguments, SW_SHOWMAXIMIZED);
        }
    }
    if (!started)
        AfxMessageBox(IDS_PLAY_FAILED);
    return 0;
}

BOOL CVelmoraView::OpenHelpFile()
{
    HtmlHelpFunction htmlHelp = FindHtmlHelp();
    if (!htmlHelp)
        return FALSE;
    const CString file = GetModuleDir() + "\\" + kHelpFile;
    return htmlHelp(::GetDesktopWindow(), file, kHelpDisplayTopic, 0) != NULL;
}

BOOL CVelmoraView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_PREFERENCES:
        OpenPreferences();
        return TRUE;
    case ID_HELP_FILE:
        if (!OpenHelpFile())
            AfxMessageBox(IDS_HELP_FAILED);
        return TRUE;
    case ID_START_TV:
        if (!LaunchProgram(m_settings.m_tvProgramPath, kTvArguments, SW_SHOWNORMAL))
            AfxMessageBox(IDS_TV_START_FAILED);
        return TRUE;
    case ID_WEB_SITE:
        ::ShellExecuteA(NULL, "open", kWebSite, "", "", SW_SHOWMAXIMIZED);
        return TRUE;
    default:
        return CView::OnCommand(wParam, lParam);
    }
}
