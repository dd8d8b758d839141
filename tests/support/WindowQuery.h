#pragma once

#include <windows.h>

#include <string>

// Looking at the windows of this process or of another one (a program under test started
// with ProgramProcess) without hanging on an owner that is busy. Texts are in the ANSI code
// page.

// The first top-level window titled exactly title that belongs to the process (0: to any),
// waiting up to timeoutMs for one to appear; NULL when none did.
HWND FindTopWindow(const std::string& title, DWORD processId, DWORD timeoutMs);

// Whether the window is shown within timeoutMs: a program makes its windows hidden and shows
// them once they are ready.
bool WaitUntilVisible(HWND window, DWORD timeoutMs);

// A window's text through WM_GETTEXT, which another process answers for its statics and
// buttons as well; empty when the window is gone or its thread did not answer within a second.
std::string WindowTextOf(HWND window);

// The text of the dialog's control with that id; empty when there is no such control.
std::string ControlText(HWND dialog, int controlId);

// The process's top-level window that holds a control of that id (a dialog known by one of its
// controls); NULL when none does.
HWND FindWindowWithControl(DWORD processId, int controlId);

// Whether one of the process's top-level windows has exactly that text: overlay windows carry
// what they show as their window text.
bool HasWindowWithText(DWORD processId, const std::string& text);
