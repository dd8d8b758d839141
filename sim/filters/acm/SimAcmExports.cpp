// The module's exports: the COM server entry points, and the TreatAs entry that makes the
// system's ACM Wrapper class create this stand-in.
#include "CSimAcmFilter.h"
#include "SimAcmClasses.h"

#include "ComServer.h"

#include <uuids.h>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimAcm, L"Sim ACM", CSimAcmFilter::Create, &kFilter},
};

// path holds at least 96 characters.
void TreatAsKeyPath(WCHAR* path)
{
    WCHAR text[40];
    StringFromGUID2(CLSID_SystemAcmWrapper, text, 40);
    wsprintfW(path, L"Software\\Classes\\CLSID\\%s\\TreatAs", text);
}

HRESULT SetTreatAs()
{
    WCHAR path[96], target[40];
    TreatAsKeyPath(path);
    StringFromGUID2(CLSID_SimAcm, target, 40);
    HKEY key = nullptr;
    LONG err = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
    if (err == ERROR_SUCCESS) {
        err = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(target),
                             (DWORD)((lstrlenW(target) + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
    }
    return HRESULT_FROM_WIN32(err);
}

// Only a TreatAs that still names this stand-in is ours to remove.
void ClearTreatAs()
{
    WCHAR path[96], target[40], current[40] = L"";
    TreatAsKeyPath(path);
    StringFromGUID2(CLSID_SimAcm, target, 40);
    LONG size = sizeof(current);
    if (RegQueryValueW(HKEY_LOCAL_MACHINE, path, current, &size) == ERROR_SUCCESS && lstrcmpiW(current, target) == 0)
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, path);
}
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return CComServer::GetClassObject(kClasses, clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return CComServer::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    HRESULT hr = CComServer::RegisterServer(kClasses);
    return SUCCEEDED(hr) ? SetTreatAs() : hr;
}

STDAPI DllUnregisterServer()
{
    ClearTreatAs();
    return CComServer::UnregisterServer(kClasses);
}
