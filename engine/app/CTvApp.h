#pragma once

#include <afxwin.h>

#include "PicturePopupWnd.h"

// The TV program's application object. It lets one copy run, opens the card through the TV
// system, runs the set-up wizard and then the video window modally, whose loop is the
// program's only message loop; at the end it saves the settings and lists and starts the tray
// program.
//
// Start-up and shut-down (InitInstance, ExitInstance) build and tear down the program's windows
// and belong to the program itself (Kavex.exe); the services the windows use live here, so
// the windows' library can use them without the program.
class CTvApp : public CWinApp
{
public:
    // Start flags, read by the control panel and the video window.
    enum
    {
        kFirstRun = 0x01,
        kScreenChanged = 0x02,
        kStartFullScreen = 0x04,
    };

    CTvApp();
    ~CTvApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    BYTE GetStartFlags() const { return m_startFlags; }
    // The program directory, without a trailing backslash.
    const CString& GetAppDir() const { return m_appDir; }
    // The user confirmed a power-off: the exit powers the computer off.
    void SetShutdownOnExit(BOOL on) { m_shutdownOnExit = on; }
    BOOL GetShutdownOnExit() const { return m_shutdownOnExit; }
    // The video window has made the control panel: the splash picture goes.
    void CloseSplash();
    // The resource module of the current skin, freed at exit.
    void SetSkinModule(HMODULE module) { m_skinModule = module; }
    HMODULE GetSkinModule() const { return m_skinModule; }

    // Both texts from the string table.
    static int MessageBoxRes(HWND owner, UINT textId, UINT captionId, UINT type);

protected:
    // Loads the TV system's files and opens the device; FALSE (the user told) when it failed.
    BOOL OpenDevice();
    // Another copy owns the mutex: brings its video window up. FALSE, always.
    BOOL RaiseFirstCopy();
    void ReadScreenValues();
    BOOL SkinFilesPresent() const;
    void StartTray();
    void SaveAll();
    void PowerOff();

    BYTE m_startFlags = 0;
    CString m_appDir;
    HANDLE m_instanceMutex = NULL;  // NULL when this copy does not own it
    BOOL m_shutdownOnExit = FALSE;
    CPicturePopupWnd m_splash;
    HMODULE m_skinModule = NULL;
    // Set once the lists and settings are loaded: only then has the exit anything to save.
    BOOL m_loaded = FALSE;
};

// The program's application object; NULL in a process without one (a test).
CTvApp* GetTvApp();

// Settings/"RunTrayWhenExit": with 0 the tray program is not started at exit.
void WriteRunTrayWhenExit(int run);
