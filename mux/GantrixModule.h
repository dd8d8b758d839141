#pragma once

#include <windows.h>

// What the module's entry point keeps at process attach: its handle, the system's platform
// id, and the names and registry key built from the maker word.
class CGantrixModule
{
public:
    static void Attach(HINSTANCE instance);

    static HINSTANCE Instance();
    static DWORD PlatformId();
    static const WCHAR* FilterName();   // "Stelvark MPEG Multiplexer"
    static const WCHAR* PageName();     // "Stelvark MPEG Multiplexer Property Page"
    static const char* SettingsKey();   // under HKEY_CURRENT_USER
    static const char* MakerName();     // "Stelvark"
};
