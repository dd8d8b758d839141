#include "DeviceSearch.h"

#include "ComRef.h"
#include "NameBuffer.h"

#include <cstring>

namespace
{
// FriendlyNames are read into buffers of this size, as the wrappers keep them.
const int kDeviceNameSize = 128;

BOOL ReadFriendlyName(IMoniker* moniker, char* name)
{
    CComRef<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag, bag.ReceiveVoid())))
        return FALSE;
    VARIANT value;
    VariantInit(&value);
    BOOL read = SUCCEEDED(bag->Read(L"FriendlyName", &value, NULL)) && value.vt == VT_BSTR;
    if (read)
        CNameBuffer::FromWide(name, kDeviceNameSize, value.bstrVal);
    VariantClear(&value);
    return read;
}
}

BOOL CDeviceSearch::NamesMatch(const char* deviceName, const char* requested)
{
    if (deviceName == NULL || requested == NULL)
        return FALSE;
    size_t deviceLength = strlen(deviceName);
    size_t requestLength = strlen(requested);
    size_t shorter = deviceLength < requestLength ? deviceLength : requestLength;
    if (shorter < 2)
        return FALSE;
    return strncmp(deviceName, requested, shorter - 1) == 0;
}

HRESULT CDeviceSearch::Bind(REFCLSID category, const char* requested, int matchMode, int index,
                            IBaseFilter** filter, char* deviceName, int deviceNameSize)
{
    *filter = NULL;
    CComRef<ICreateDevEnum> devices;
    HRESULT hr = CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                  devices.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    CComRef<IEnumMoniker> monikers;
    hr = devices->CreateClassEnumerator(category, monikers.Receive(), 0);
    if (hr != S_OK)
        return FAILED(hr) ? hr : E_FAIL;
    monikers->Reset();

    int matches = 0;
    CComRef<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), NULL) == S_OK) {
        char name[kDeviceNameSize];
        if (!ReadFriendlyName(moniker.Get(), name))
            continue;
        BOOL match = NamesMatch(name, requested);
        if (matchMode == 0 ? (!match || matches++ != index) : match)
            continue;
        hr = moniker->BindToObject(NULL, NULL, IID_IBaseFilter, (void**)filter);
        if (FAILED(hr) || *filter == NULL) {
            *filter = NULL;
            return FAILED(hr) ? hr : E_FAIL;
        }
        CNameBuffer::Copy(deviceName, deviceNameSize, name);
        return hr;
    }
    return E_FAIL;
}

HRESULT CreateDeviceFilterByName(REFCLSID category, const char* friendlyName, IBaseFilter** filter)
{
    if (filter == NULL)
        return E_POINTER;
    char name[kDeviceNameSize];
    return CDeviceSearch::Bind(category, friendlyName, 0, 0, filter, name, sizeof(name));
}
