#pragma once

#include <windows.h>

// Switches on the shell's auto-completion (SHACF_* flags) on an edit window. The shell library is
// loaded once, with COM started for the rest of the program; E_FAIL when the library, its
// function or the window is missing.
HRESULT EnableAutoComplete(HWND window, DWORD flags);
