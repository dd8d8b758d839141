#include "ComServer.h"

#include "ComRef.h"
#include "ServerClassFactory.h"

#include <shlwapi.h>

#include <new>

namespace {

LONG g_objects = 0;
LONG g_locks = 0;

// The mapper answers these when a key it should remove is not there.
bool IsAlreadyGone(HRESULT hr)
{
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

// path holds at least 64 characters.
HRESULT ClassKeyPath(REFCLSID clsid, WCHAR* path)
{
    lstrcpyW(path, L"CLSID\\");
    if (!StringFromGUID2(clsid, path + lstrlenW(path), 40))
        return E_UNEXPECTED;
    return S_OK;
}

HRESULT SetStringValue(HKEY key, const WCHAR* name, const WCHAR* value)
{
    DWORD bytes = static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR));
    LONG err = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
    return HRESULT_FROM_WIN32(err);
}

HRESULT RegisterClassKey(const CComServer::ClassEntry& entry, const WCHAR* modulePath)
{
    WCHAR path[64];
    HRESULT hr = ClassKeyPath(*entry.clsid, path);
    if (FAILED(hr))
        return hr;
    HKEY classKey = nullptr;
    LONG err = RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_WRITE, nullptr, &classKey, nullptr);
    if (err != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(err);
    hr = SetStringValue(classKey, nullptr, entry.name);
    HKEY serverKey = nullptr;
    if (SUCCEEDED(hr)) {
        err = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &serverKey, nullptr);
        hr = HRESULT_FROM_WIN32(err);
    }
    if (SUCCEEDED(hr))
        hr = SetStringValue(serverKey, nullptr, modulePath);
    // Free-threaded: the program's worker threads call our objects without COM set up.
    if (SUCCEEDED(hr))
        hr = SetStringValue(serverKey, L"ThreadingModel", L"Both");
    if (serverKey)
        RegCloseKey(serverKey);
    RegCloseKey(classKey);
    return hr;
}

HRESULT UnregisterClassKey(const CComServer::ClassEntry& entry)
{
    WCHAR path[64];
    HRESULT hr = ClassKeyPath(*entry.clsid, path);
    if (FAILED(hr))
        return hr;
    DWORD err = SHDeleteKeyW(HKEY_CLASSES_ROOT, path);
    if (err == ERROR_FILE_NOT_FOUND)
        return S_OK;
    return HRESULT_FROM_WIN32(err);
}

HRESULT RegisterFilter(IFilterMapper2* mapper, const CComServer::ClassEntry& entry)
{
    const CComServer::FilterEntry& filter = *entry.filter;
    REGFILTER2 description = {};
    description.dwVersion = 1;
    description.dwMerit = filter.merit;
    description.cPins = filter.pinCount;
    description.rgPins = filter.pins;
    return mapper->RegisterFilter(*entry.clsid, entry.name, nullptr, filter.category, filter.instanceKey,
                                  &description);
}

HRESULT UnregisterFilter(IFilterMapper2* mapper, const CComServer::ClassEntry& entry)
{
    HRESULT hr = mapper->UnregisterFilter(entry.filter->category, entry.filter->instanceKey, *entry.clsid);
    return IsAlreadyGone(hr) ? S_OK : hr;
}

// COM for the registration calls; regsvr32 may or may not have set it up on this thread.
class CComScope
{
public:
    CComScope() : m_hr(CoInitialize(nullptr)) {}
    ~CComScope() { if (SUCCEEDED(m_hr)) CoUninitialize(); }

private:
    HRESULT m_hr;
};

HRESULT CreateMapper(CComRef<IFilterMapper2>& mapper)
{
    return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                            mapper.ReceiveVoid());
}

} // namespace

HRESULT CComServer::GetClassObject(const ClassEntry* classes, size_t count, REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (!IsEqualCLSID(*classes[i].clsid, clsid))
            continue;
        auto* factory = new (std::nothrow) CServerClassFactory(classes[i]);
        if (!factory)
            return E_OUTOFMEMORY;
        HRESULT hr = factory->InnerQueryInterface(iid, out);
        factory->InnerRelease();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComServer::CanUnloadNow()
{
    return (g_objects == 0 && g_locks == 0) ? S_OK : S_FALSE;
}

HRESULT CComServer::RegisterServer(const ClassEntry* classes, size_t count)
{
    WCHAR modulePath[MAX_PATH];
    DWORD length = GetModuleFileNameW(Module(), modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return E_FAIL;
    for (size_t i = 0; i < count; ++i) {
        HRESULT hr = RegisterClassKey(classes[i], modulePath);
        if (FAILED(hr))
            return hr;
    }
    CComScope com;
    CComRef<IFilterMapper2> mapper;
    for (size_t i = 0; i < count; ++i) {
        if (!classes[i].filter)
            continue;
        HRESULT hr = mapper ? S_OK : CreateMapper(mapper);
        if (SUCCEEDED(hr))
            hr = RegisterFilter(mapper.Get(), classes[i]);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CComServer::UnregisterServer(const ClassEntry* classes, size_t count)
{
    HRESULT result = S_OK;
    for (size_t i = 0; i < count; ++i) {
        HRESULT hr = UnregisterClassKey(classes[i]);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    CComScope com;
    CComRef<IFilterMapper2> mapper;
    for (size_t i = 0; i < count; ++i) {
        if (!classes[i].filter)
            continue;
        HRESULT hr = mapper ? S_OK : CreateMapper(mapper);
        if (SUCCEEDED(hr))
            hr = UnregisterFilter(mapper.Get(), classes[i]);
        if (FAILED(hr) && SUCCEEDED(result))
            result = hr;
    }
    return result;
}

HMODULE CComServer::Module()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&g_objects), &module);
    return module;
}

void CComServer::ObjectCreated()
{
    InterlockedIncrement(&g_objects);
}

void CComServer::ObjectDestroyed()
{
    InterlockedDecrement(&g_objects);
}

void CComServer::LockServer(bool lock)
{
    if (lock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}

LONG CComServer::LiveObjects()
{
    return g_objects;
}
