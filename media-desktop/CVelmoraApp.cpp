#include "CVelmoraApp.h"

#include "CMainFrame.h"
#include "CVelmoraDoc.h"
#include "CVelmoraView.h"
#include "DebugTrace.h"
#include "KitMessages.h"
#include "ProcessWindows.h"
#include "VelmoraResource.h"

#include <objbase.h>

BEGIN_MESSAGE_MAP(CVelmoraApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT_VLM, OnAppAbout)
END_MESSAGE_MAP()

namespace {

const char kMutexName[] = "Velmora2004";
const char kNoExit[] = "/noexit";
const char kRelaunch[] = "vlm.exe /noexit ";
const char kRegistryKey[] = "Local AppWizard-Generated Applications";

struct CommandWord
{
    const char* word;
    int page;
    int request;
    const char* trace;
};

// In the order they are looked for.
const CommandWord kCommandWords[] = {
    {"TV", CVelmoraView::kHomePage, ID_START_TV, "激活TV"},
    {"Picture", CVelmoraView::kPicturePage, 0, "激活Picture"},
    {"Video", CVelmoraView::kVideoPage, 0, "激活Video"},
    {"Music", CVelmoraView::kMusicPage, 0, NULL},
};

}  // namespace

// The running desktop's main window, seen by every process that maps this program file.
__attribute__((section(".SharedD"), shared)) HWND g_sharedMainWindow = NULL;

CVelmoraApp::CVelmoraApp() : m_mutex(NULL), m_comStarted(FALSE)
{
}

void CVelmoraApp::ReadCommandWords(LPCTSTR arguments, int* page, int* request)
{
    *page = CVelmoraView::kHomePage;
    *request = 0;
    for (const CommandWord& word : kCommandWords) {
        if (!strstr(arguments, word.word))
            continue;
        *page = word.page;
        *request = word.request;
        if (word.trace)
            DebugTrace("%s", word.trace);
        return;
    }
}

HWND CVelmoraApp::FindSharedWindow()
{
    HWND window = g_sharedMainWindow;
    if (!window || !::IsWindow(window))
        return NULL;
    // A handle left by a desktop that has ended may name another program's window by now.
    CString title;
    title.LoadString(IDS_MAIN_TITLE);
    char text[64] = "";
    ::GetWindowTextA(window, text, sizeof(text));
    return title == text ? window : NULL;
}

BOOL CVelmoraApp::InitInstance()
{
    const CString arguments = m_lpCmdLine ? m_lpCmdLine : "";
    int page;
    int request;
    ReadCommandWords(arguments, &page, &request);

    m_mutex = ::CreateMutexA(NULL, FALSE, kMutexName);
    const BOOL existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    const BOOL noExit = arguments.Find(kNoExit) >= 0;

    if (!existed && !noExit) {
        // WinExec waits until the copy is idle, so this process holds the mutex while the copy
        // looks at it.
        ::WinExec(kRelaunch + arguments, SW_SHOWMAXIMIZED);
        return FALSE;
    }
    // A "/noexit" copy that finds the mutex new starts the desktop itself: its first process
    // is gone, and relaunching once more could chain copies without end.
    if (existed) {
        CString title;
        title.LoadString(IDS_MAIN_TITLE);
        HWND running = ::FindWindowA(NULL, title);
        if (running)
            ::PostMessageA(running, WM_ACTIVATE_REQUEST, (WPARAM)page, (LPARAM)request);
        BringWindowForward(FindSharedWindow());
        if (!noExit)
            return FALSE;
    }
    return StartDesktop(page, request);
}

BOOL CVelmoraApp::StartDesktop(int page, int request)
{
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(0);
    m_comStarted = SUCCEEDED(::CoInitialize(NULL));
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CVelmoraDoc),
                                          RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CVelmoraView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    // The command words are requests, not documents: the desktop opens no files.
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    ((CMainFrame*)m_pMainWnd)->PlaceFullScreen();
    g_sharedMainWindow = m_pMainWnd->m_hWnd;
    m_pMainWnd->PostMessage(WM_ACTIVATE_REQUEST, (WPARAM)page, (LPARAM)request);
    return TRUE;
}

int CVelmoraApp::ExitInstance()
{
    if (m_comStarted)
        ::CoUninitialize();
    return CWinApp::ExitInstance();
}

void CVelmoraApp::OnAppAbout()
{
    static BOOL s_open = FALSE;
    if (s_open)
        return;
    s_open = TRUE;
    CDialog about(IDD_ABOUT_VLM);
    about.DoModal();
    s_open = FALSE;
}
