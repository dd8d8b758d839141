#include "ProcessWindows.h"

#include "DebugTrace.h"

namespace {

const UINT kCloseTimeoutMs = 2000;

}  // namespace

BOOL CALLBACK FindProcessWindowProc(HWND window, LPARAM param)
{
    ProcessWindowSearch* search = (ProcessWindowSearch*)param;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || ::GetParent(window) || ::GetWindow(window, GW_OWNER))
        return TRUE;
    if (::GetWindowTextLengthA(window) == 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

void CloseProcessWindows(DWORD processId, HANDLE process)
{
    for (int round = 0; round < kCloseRounds; ++round) {
        ProcessWindowSearch search = {processId, NULL};
        ::EnumWindows(FindProcessWindowProc, (LPARAM)&search);
        if (!search.found)
            return;
        char title[256] = "";
        ::GetWindowTextA(search.found, title, sizeof(title));
        DebugTrace("HWND:%X,ProcessID:%d, Name:%s", (unsigned)(UINT_PTR)search.found,
                   (int)processId, title);
        DWORD_PTR result;
        ::SendMessageTimeoutA(search.found, WM_CLOSE, 0, 0, 0, kCloseTimeoutMs, &result);
    }
    ::TerminateProcess(process, 0);
    DebugTrace("强行关闭ProcessHandle:%d", (int)(INT_PTR)process);
}

void BringWindowForward(HWND window)
{
    if (!window)
        return;
    DWORD lockTimeout = 0;
    ::SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)0, SPIF_SENDCHANGE);
    if (!::IsWindowVisible(window) || ::IsIconic(window))
        ::ShowWindow(window, SW_SHOWMAXIMIZED);
    ::SetForegroundWindow(window);
    ::BringWindowToTop(window);
    ::SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)(DWORD_PTR)lockTimeout,
                            SPIF_SENDCHANGE);
}
