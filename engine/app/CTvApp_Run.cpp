// The program's start-up and shut-down, which make and end its windows.
#include "CTvApp.h"

#include "CControlPanelDlg.h"
#include "CSetupWizardDlg.h"
#include "CTVVideoWnd.h"
#include "DebugLog.h"
#include "PathUtil.h"
#include "TVSystem.h"

extern CTVVideoWnd theVideoWnd;
extern CControlPanelDlg theControlPanel;

namespace {
const char kMutexName[] = "Skyvault_GlobalMutex_Tolo";
const char kMediaDesktopTitle[] = " Media Manage Desktop ";
}

CTvApp::CTvApp()
{
}

CTvApp::~CTvApp()
{
}

BOOL CTvApp::InitInstance()
{
    AfxEnableControlContainer();

    m_instanceMutex = ::CreateMutexA(NULL, FALSE, kMutexName);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(m_instanceMutex);
        m_instanceMutex = NULL;
        if (!RaiseFirstCopy())
            DEBUG_LOG("没有找到视频窗口");
        return FALSE;
    }

    SetRegistryKey("Quorvex");
    ReadScreenValues();
    Enable3dControls();
    CPathUtil::GetModuleDir(m_appDir);

    if (!SkinFilesPresent()) {
        MessageBoxRes(NULL, 34045, 34100, MB_ICONINFORMATION);
        return FALSE;
    }

    if (HWND tray = ::FindWindowA(NULL, "Remote Control Tray")) {
        ::SendMessageA(tray, WM_CLOSE, 0, 0);
        ::Sleep(500);
    }

    // The panel is the user interface the TV system tells what happens, from the start on.
    CTVSystem::SetView(&theControlPanel);
    // OpenDevice leaves the device muted through the wizard and the splash.
    if (!OpenDevice())
        return FALSE;
    CSetupWizardDlg wizard;
    wizard.DoModal();

    CString splash = m_appDir + "\\Splash.bmp";
    if (CPathUtil::FileExists(splash)) {
        m_splash.LoadBitmapFile(splash);
        m_splash.Show(NULL, FALSE, 1000);
    }

    ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, NULL, SPIF_SENDCHANGE);

    if (m_lpCmdLine != NULL && strstr(m_lpCmdLine, "/StartupFullScreen") != NULL)
        m_startFlags |= kStartFullScreen;

    HWND desktop = ::FindWindowA(NULL, kMediaDesktopTitle);
    if (desktop != NULL) {
        ::ShowWindow(desktop, SW_MINIMIZE);
        DEBUG_LOG("Hide VLM");
    }

    m_pMainWnd = &theControlPanel;
    theTVSystem.SetDeviceMute(FALSE);

    theVideoWnd.DoModal();

    if (desktop != NULL && ::IsWindow(desktop))
        ::ShowWindow(desktop, SW_MAXIMIZE);
    return FALSE;
}

int CTvApp::ExitInstance()
{
    if (m_instanceMutex != NULL) {
        theControlPanel.DestroyWindow();
        // A start that ended before the lists were read has nothing of its own to save, and
        // saving would put the defaults over the user's files.
        if (m_loaded)
            SaveAll();
        ::CloseHandle(m_instanceMutex);
        m_instanceMutex = NULL;
        if (m_loaded && GetProfileInt("Settings", "RunTrayWhenExit", 1) != 0)
            StartTray();
    }
    if (m_skinModule != NULL) {
        ::FreeLibrary(m_skinModule);
        m_skinModule = NULL;
    }
    if (m_shutdownOnExit)
        PowerOff();
    ::Sleep(500);
    ::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, NULL, SPIF_SENDCHANGE);
    return CWinApp::ExitInstance();
}
