#pragma once

#include <windows.h>

// Messages for a debugger (OutputDebugString); the filters have no log file of their own.
class CDebugLog
{
public:
    // Returns E_NOTIMPL, saying so in the debug output the first time for each caller's
    // flag (a static LONG beside the call).
    static HRESULT NotImplemented(const char* method, LONG& reported);
};
