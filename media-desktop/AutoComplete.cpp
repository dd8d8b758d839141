#include "AutoComplete.h"

#include <objbase.h>
#include <stdlib.h>

namespace {

typedef HRESULT(WINAPI* AutoCompleteFunction)(HWND, DWORD);

void UninitializeAtExit()
{
    CoUninitialize();
}

AutoCompleteFunction LoadAutoComplete()
{
    static bool s_loaded = false;
    static AutoCompleteFunction s_function = NULL;
    if (s_loaded)
        return s_function;
    s_loaded = true;
    HMODULE library = LoadLibraryA("Shlwapi.dll");
    if (!library)
        return NULL;
    // The completion object is a COM object of the shell's, made on this thread.
    if (SUCCEEDED(CoInitialize(NULL)))
        atexit(UninitializeAtExit);
    s_function = (AutoCompleteFunction)(void*)GetProcAddress(library, "SHAutoComplete");
    return s_function;
}

}  // namespace

HRESULT EnableAutoComplete(HWND window, DWORD flags)
{
    AutoCompleteFunction function = LoadAutoComplete();
    if (!function || !IsWindow(window))
        return E_FAIL;
    return function(window, flags);
}
