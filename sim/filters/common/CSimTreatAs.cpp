#include "CSimTreatAs.h"

#include <windows.h>

namespace
{
// path holds at least 96 characters.
void KeyPath(REFCLSID original, WCHAR* path)
{
    WCHAR text[40];
    StringFromGUID2(original, text, 40);
    wsprintfW(path, L"Software\\Classes\\CLSID\\%s\\TreatAs", text);
}
}

HRESULT CSimTreatAs::Set(REFCLSID original, REFCLSID standIn)
{
    WCHAR path[96], target[40];
    KeyPath(original, path);
    StringFromGUID2(standIn, target, 40);
    HKEY key = nullptr;
    LONG err = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (err == ERROR_SUCCESS) {
        err = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(target),
                             (DWORD)((lstrlenW(target) + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
    }
    return HRESULT_FROM_WIN32(err);
}

void CSimTreatAs::Clear(REFCLSID original, REFCLSID standIn)
{
    WCHAR path[96], target[40], current[40] = L"";
    KeyPath(original, path);
    StringFromGUID2(standIn, target, 40);
    LONG size = sizeof(current);
    if (RegQueryValueW(HKEY_LOCAL_MACHINE, path, current, &size) == ERROR_SUCCESS && lstrcmpiW(current, target) == 0)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}
