#pragma once

#include <windows.h>

// The windows of the programs the desktop starts: closing one program as its user would, and
// bringing a window to the front past the system's foreground lock.

// What FindProcessWindowProc looks for and what it found.
struct ProcessWindowSearch
{
    DWORD processId;
    HWND found;
};

// EnumWindows callback: stops at the first top-level window of the process that has no
// parent, no owner and a non-empty title.
BOOL CALLBACK FindProcessWindowProc(HWND window, LPARAM search);

// Sends WM_CLOSE (2000 ms each) to the program's titled top-level window for as long as it has
// one, at most kCloseRounds times, and then terminates the process. A program without such a
// window is left running.
void CloseProcessWindows(DWORD processId, HANDLE process);
const int kCloseRounds = 100;

// Shows the window maximised when it is hidden or minimised and makes it the foreground window,
// with the foreground lock timeout set to 0 meanwhile. A NULL window changes nothing.
void BringWindowForward(HWND window);
