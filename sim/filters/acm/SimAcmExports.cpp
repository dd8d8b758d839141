// The module's exports: the COM server entry points, the TreatAs entry that makes the
// system's ACM Wrapper class create this stand-in, and the stand-in's devices in the audio
// compressor category, each a codec chosen by its instance value "Codec".
#include "CSimAcmFilter.h"
#include "SimAcmClasses.h"

#include "SimComExports.h"

#include <uuids.h>

#include <string>

namespace
{
const CComServer::FilterEntry kFilter = {&CLSID_LegacyAmFilterCategory, MERIT_DO_NOT_USE, nullptr, 0, nullptr};

const CComServer::ClassEntry kClasses[] = {
    {&CLSID_SimAcm, L"Sim ACM", SimCreate<CSimAcmFilter>, &kFilter},
};

struct DeviceRow
{
    const WCHAR* instanceKey;
    const WCHAR* name;
    const WCHAR* codec;
};

// Wine lists a category's instance keys by key name, so the keys fix the order of the list.
const DeviceRow kDevices[] = {
    // instance key          friendly name                           codec
    {L"SimAcm-1-PCM",     L"PCM",                             L"PCM"},
    {L"SimAcm-2-MSADPCM", L"Microsoft ADPCM",                 L"MSADPCM"},
    {L"SimAcm-3-IVIMP2",  L"InterVideo MP2 Audio Compressor", L"MP2"},
};
const size_t kDeviceCount = sizeof(kDevices) / sizeof(kDevices[0]);

HRESULT ForEachDevice(HRESULT (*action)(const CComServer::ClassEntry*, size_t))
{
    CComServer::FilterEntry filters[kDeviceCount];
    CComServer::ClassEntry classes[kDeviceCount];
    for (size_t i = 0; i < kDeviceCount; ++i) {
        filters[i] = {&CLSID_AudioCompressorCategory, MERIT_DO_NOT_USE, kDevices[i].instanceKey, 0, nullptr};
        classes[i] = {&CLSID_SimAcm, kDevices[i].name, SimCreate<CSimAcmFilter>, &filters[i]};
    }
    return action(classes, kDeviceCount);
}

HRESULT SetCodecValues()
{
    WCHAR category[40];
    StringFromGUID2(CLSID_AudioCompressorCategory, category, 40);
    for (const DeviceRow& device : kDevices) {
        std::wstring path = std::wstring(L"CLSID\\") + category + L"\\Instance\\" + device.instanceKey;
        HKEY key = nullptr;
        LONG err = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_WRITE, &key);
        if (err == ERROR_SUCCESS) {
            err = RegSetValueExW(key, L"Codec", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.codec),
                                 (DWORD)((lstrlenW(device.codec) + 1) * sizeof(WCHAR)));
            RegCloseKey(key);
        }
        if (err != ERROR_SUCCESS)
            return HRESULT_FROM_WIN32(err);
    }
    return S_OK;
}

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

// The devices first: the class key keeps the name the class table gives it.
STDAPI DllRegisterServer()
{
    HRESULT hr = ForEachDevice(CComServer::RegisterServer);
    if (SUCCEEDED(hr))
        hr = SetCodecValues();
    if (SUCCEEDED(hr))
        hr = CComServer::RegisterServer(kClasses);
    return SUCCEEDED(hr) ? SetTreatAs() : hr;
}

STDAPI DllUnregisterServer()
{
    ClearTreatAs();
    HRESULT hr = ForEachDevice(CComServer::UnregisterServer);
    HRESULT classes = CComServer::UnregisterServer(kClasses);
    return FAILED(hr) ? hr : classes;
}
