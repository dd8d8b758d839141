#include "CTvApp.h"

#include "PathUtil.h"
#include "TVSystem.h"

CTvApp* GetTvApp()
{
    return dynamic_cast<CTvApp*>(AfxGetApp());
}

void WriteRunTrayWhenExit(int run)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt("Settings", "RunTrayWhenExit", run);
}

void CTvApp::CloseSplash()
{
    m_splash.Hide();
}

int CTvApp::MessageBoxRes(HWND owner, UINT textId, UINT captionId, UINT type)
{
    CString text, caption;
    text.LoadString(textId);
    caption.LoadString(captionId);
    return ::MessageBoxA(owner, text, caption, type);
}

BOOL CTvApp::OpenDevice()
{
    theTVSystem.LoadChannels();
    theTVSystem.LoadFMChannels();
    theTVSystem.LoadSettings();
    theTVSystem.RestoreChannelSelection();
    theTVSystem.PrepareMediaFolders();
    // From here the exit has lists and settings of this run to save.
    m_loaded = TRUE;
    BOOL opened = theTVSystem.InitTVSystem();
    theTVSystem.SetDeviceMute(TRUE);
    if (!opened) {
        MessageBoxRes(NULL, 34046, 34100, MB_ICONINFORMATION);
        theTVSystem.CloseTV();
        return FALSE;
    }
    return opened;
}

BOOL CTvApp::RaiseFirstCopy()
{
    HWND video = ::FindWindowA(NULL, "视频窗口");
    if (video == NULL)
        return FALSE;
    // The first copy is in the background: lift the foreground lock for the moment.
    DWORD lockTimeout = 0;
    ::SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)0, 0);
    if (!::IsWindowVisible(video) || ::IsIconic(video))
        ::ShowWindow(video, SW_SHOWMAXIMIZED);
    ::SetForegroundWindow(video);
    ::BringWindowToTop(video);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)(DWORD_PTR)lockTimeout, 0);
    return TRUE;
}

void CTvApp::ReadScreenValues()
{
    int xScreen = GetProfileInt("Settings", "xScreen", 800);
    int yScreen = GetProfileInt("Settings", "yScreen", 600);
    int firstRun = GetProfileInt("Settings", "bFirstRun", 1);
    WriteProfileInt("Settings", "bFirstRun", 0);
    if (firstRun != 0)
        m_startFlags |= kFirstRun;
    int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    if (cx != xScreen || cy != yScreen) {
        WriteProfileInt("Settings", "xScreen", cx);
        WriteProfileInt("Settings", "yScreen", cy);
        m_startFlags |= kScreenChanged;
    }
}

BOOL CTvApp::SkinFilesPresent() const
{
    return CPathUtil::FileExists(m_appDir + "\\Skin.ini") &&
           CPathUtil::FileExists(m_appDir + "\\Vellumpack.dll");
}

void CTvApp::StartTray()
{
    CString tray = m_appDir + "\\Pocketel.exe";
    if (!CPathUtil::FileExists(tray))
        return;
    HINSTANCE result = ::ShellExecuteA(NULL, "Open", tray, NULL, m_appDir, SW_SHOWNORMAL);
    if ((INT_PTR)result <= 32)
        MessageBoxRes(NULL, 34043, 34100, MB_ICONINFORMATION);
}

void CTvApp::SaveAll()
{
    theTVSystem.SaveSettings();
    theTVSystem.SaveChannels();
    theTVSystem.SaveFMChannels();
}

void CTvApp::PowerOff()
{
    theTVSystem.ShutdownSystem();
}
