#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "CSimLog.h"
#include "CSimSwitches.h"

struct SimPersonality;

// One outside program as the suite starts it: a top-level window titled after its
// personality, a log C:\sim\log\<stem>.log of how it was started and what it was told, and
// the switches of HKLM\Software\Sim\prog\<stem>:
//   Title      the window title in place of the personality's
//   Mutex      a named mutex created and held while it runs
//   IgnoreClose 1: WM_CLOSE is logged and otherwise ignored
//   LifeMs     ends by itself after that long
//   ReleaseMs  with "/H=<hwnd>": posts WM_RELEASE_DEVICE to that window after that long, and
//              WM_RESUME_DEVICE when it ends
//   ExitCode   its exit code (0)
//   Minimized  1: starts minimised
class CSimProgram
{
public:
    enum { WM_RELEASE_DEVICE = 0x4400, WM_RESUME_DEVICE = 0x4401 };

    CSimProgram(const std::string& stem, const char* commandLine, const std::vector<std::string>& args);

    // The program's life, from the start line to the exit line; its exit code.
    int Run(int showCommand);

    const CSimLog& Log() const { return m_log; }
    HWND Window() const { return m_window; }
    // The command line after the program token and one blank, exactly as received.
    const std::string& Params() const { return m_params; }
    // The parameters split as the C runtime splits them.
    const std::vector<std::string>& Args() const { return m_args; }

private:
    enum { kLifeTimer = 1, kReleaseTimer = 2 };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSize(WPARAM type);
    void OnTimer(UINT_PTR id);
    void PostToCaller(UINT message);
    HWND CallerWindow() const;
    void LogStart() const;
    bool CreateOwnWindow(int showCommand);

    std::string m_stem;
    const SimPersonality& m_personality;
    CSimSwitches m_switches;
    CSimLog m_log;
    std::string m_params;
    std::vector<std::string> m_args;
    HWND m_window = NULL;
    // The last show state logged (SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED), -1 at first.
    int m_sizeType = -1;
    // Set once WM_RELEASE_DEVICE went out: only then is the device handed back at the end.
    bool m_released = false;
};
