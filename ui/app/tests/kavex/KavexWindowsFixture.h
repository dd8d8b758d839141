// The video window and the control panel made once for the whole test program, in its own
// process over the simulated card, as the program makes them.
#pragma once

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <functional>

#include "TVSystem.h"

#include "CControlPanelDlg.h"
#include "CTVVideoWnd.h"
#include "SimDeviceSupport.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "resource.h"

inline namespace kavex_windows {

const char kCommonKey[] = "SOFTWARE\\Quorvex\\Common";
const char kTVChannels[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\n"
    "Channel-0=A,49750,1\r\nChannel-1=B,184250,3\r\nChannel-2=C,471250,1\r\n";

inline void WriteProgramFile(const char* name, const char* text)
{
    CString path = theTVSystem.GetAppDir() + "\\" + name;
    ASSERT_TRUE(TempFolder::WriteWholeFile((LPCTSTR)path, text)) << (LPCTSTR)path;
}

inline bool Enabled(UINT id)
{
    return theControlPanel.IsItemEnabled(id) != FALSE;
}

inline bool Visible(CWnd& window)
{
    return window.GetSafeHwnd() != NULL && window.IsWindowVisible();
}

// Dispatches this thread's messages through the framework's pre-translate walk, as the
// program's modal loop does, until done() holds or the time is up.
inline bool PumpLikeTheProgram(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(10);
    }
    return done();
}

class KavexWindowsTest : public testing::Test
{
protected:
    // The windows are made once for every suite of the program, and go at its end.
    static void SetUpTestSuite()
    {
        if (s_made)
            return;
        s_made = true;
        ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL)));
        // Without the remote-control service's folder no service is started, which would
        // outlive the test in the prefix.
        DWORD size = sizeof(s_serviceFolder);
        if (SHGetValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService", NULL, s_serviceFolder, &size) != ERROR_SUCCESS)
            s_serviceFolder[0] = '\0';
        SHDeleteValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService");
        SimControl card(0);
        card("tv 49750:SIM-1 184250:SIM-3 471250:SIM-4");
        WriteProgramFile("TVChannel.ini", kTVChannels);
        WriteProgramFile("TVParam.ini", "[Asistant]\r\nLastChannel=1\r\n");
        CTVSystem::SetView(&theControlPanel);
        theTVSystem.LoadChannels();
        theTVSystem.LoadFMChannels();
        theTVSystem.LoadSettings();
        theTVSystem.RestoreChannelSelection();
        ASSERT_TRUE(theTVSystem.InitTVSystem());
        ASSERT_TRUE(theVideoWnd.Create(IDD_VIDEO_WINDOW, NULL));
        ASSERT_NE((HWND)NULL, theControlPanel.GetSafeHwnd());
    }

    static void TearDownTestSuite() {}

public:
    static void DestroyWindows()
    {
        if (!s_made)
            return;
        theControlPanel.DestroyWindow();
        theVideoWnd.DestroyWindow();
        theTVSystem.CloseTV();
        // The card's own station list again, for the tests that run after this program.
        SimControl card(0);
        card("tv 49750:SIM-1 77250:SIM-2 184250:SIM-3 471250:SIM-4 615250:SIM-5");
        if (s_serviceFolder[0] != '\0')
            SHSetValueA(HKEY_LOCAL_MACHINE, kCommonKey, "RemoteService", REG_SZ, s_serviceFolder,
                        (DWORD)strlen(s_serviceFolder) + 1);
        CoUninitialize();
    }

protected:
    static inline char s_serviceFolder[MAX_PATH];
    static inline bool s_made = false;

    void SetUp() override
    {
        theVideoWnd.ShowWindow(SW_SHOWNORMAL);
        theControlPanel.ShowPanel(TRUE);
        UserInput::Settle();
    }
};

// The windows go at the end of the program, after every suite.
struct KavexWindowsEnvironment : testing::Environment
{
    void TearDown() override { KavexWindowsTest::DestroyWindows(); }
};
inline testing::Environment* const kKavexWindowsEnvironment =
    testing::AddGlobalTestEnvironment(new KavexWindowsEnvironment);

} // namespace kavex_windows
