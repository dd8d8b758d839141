#pragma once

#include <objbase.h>

// A system class that a stand-in replaces: HKLM\Software\Classes\CLSID\{original}\TreatAs
// names the stand-in, so CoCreateInstance of the original class makes the stand-in.
class CSimTreatAs
{
public:
    static HRESULT Set(REFCLSID original, REFCLSID standIn);
    // Removes the entry only while it still names this stand-in.
    static void Clear(REFCLSID original, REFCLSID standIn);
};
