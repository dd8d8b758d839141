#include "UsbDeviceAccess.h"

#include "ComRef.h"

#include <olectl.h>
#include <uuids.h>

#include <string.h>

namespace
{
const DWORD kRegisterSelector = 4101;
const DWORD kRegisterData = 4102;
const DWORD kI2CSelector = 4103;
const DWORD kI2CData = 4104;
const DWORD kProp4107 = 4107;
const DWORD kProp4115 = 4115;
const DWORD kProp4116 = 4116;
const DWORD kProp4121 = 4121;

const BYTE kRegGpioOut = 8;
const BYTE kRegGpioIn = 9;
const BYTE kRegFlags = 12;
const BYTE kFlagBit = 0x20;
const BYTE kRegIndirectData = 0x40;
const BYTE kRegIndirectNumber = 0x42;
const BYTE kRegIndirectStatus = 0x43;
const BYTE kIndirectRead = 0x80;
const BYTE kIndirectBusy = 0x01;

const GUID kKsCategoryAudio = {0x6994AD04, 0x93EF, 0x11D0, {0xA3, 0xCC, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

// Tried in this order when the given name finds no box.
const char* const kFamilyNames[] = {
    "USB 2800 Video", "USB 2801 Video", "USB 2700 Camera", "USB 2701 Camera", "USB 2840 Video", "USB 2841 Video",
    "USB 2830 Video", "USB 2831 Video", "USB 2820 Video", "USB 2821 Video", "USB 2710 Camera", "USB 2711 Camera",
};

const char kAudioKey[] = "Software\\USB2800\\Audio";
const char kDataSourceKey[] = "Software\\USB2800\\TwainDS";
const char kDefaultAudioName[] = "USB EMP Audio Device";
const char kDefaultDataSourceName[] = "USB 2820 Video";
const char kRendererName[] = "Default WaveOut Device";

IBaseFilter* EnumerateForPrefix(const GUID& category, const char* prefix)
{
    CComRef<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, NULL, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.ReceiveVoid())))
        return NULL;
    CComRef<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(category, monikers.Receive(), 0) != S_OK)
        return NULL;
    size_t prefixLength = strlen(prefix);
    CComRef<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), NULL) == S_OK) {
        CComRef<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(NULL, NULL, IID_IPropertyBag, bag.ReceiveVoid())))
            continue;
        VARIANT value;
        VariantInit(&value);
        char name[CUsbDeviceAccess::kNameSize] = {0};
        BOOL read = SUCCEEDED(bag->Read(L"FriendlyName", &value, NULL)) && value.vt == VT_BSTR &&
                    WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, name, sizeof(name) - 1, NULL, NULL) > 0;
        VariantClear(&value);
        if (!read || strncmp(name, prefix, prefixLength) != 0)
            continue;
        IBaseFilter* filter = NULL;
        if (SUCCEEDED(moniker->BindToObject(NULL, NULL, IID_IBaseFilter, (void**)&filter)) && filter)
            return filter;
    }
    return NULL;
}

UsbFilterFinder g_finder = EnumerateForPrefix;

// Copies at most size - 1 characters and always terminates.
void CopyName(char* to, const char* from)
{
    if (to) {
        size_t length = strnlen(from, CUsbDeviceAccess::kNameSize - 1);
        memcpy(to, from, length);
        to[length] = '\0';
    }
}
}

UsbFilterFinder CUsbDeviceAccess::SetFilterFinder(UsbFilterFinder finder)
{
    UsbFilterFinder previous = g_finder;
    g_finder = finder ? finder : EnumerateForPrefix;
    return previous;
}

CUsbDeviceAccess::CUsbDeviceAccess()
    : m_box(NULL), m_audioInput(NULL), m_ksAudio(NULL), m_renderer(NULL), m_gpioMask(0), m_lastResult(S_OK)
{
}

// The box's users close it; the audio filters are theirs to release.
CUsbDeviceAccess::~CUsbDeviceAccess()
{
}

IBaseFilter* CUsbDeviceAccess::Find(const GUID& category, const char* prefix)
{
    return prefix ? g_finder(category, prefix) : NULL;
}

IBaseFilter* CUsbDeviceAccess::FindBox(const char* name)
{
    IBaseFilter* filter = Find(CLSID_VideoInputDeviceCategory, name);
    for (size_t i = 0; !filter && i < sizeof(kFamilyNames) / sizeof(kFamilyNames[0]); ++i)
        filter = Find(CLSID_VideoInputDeviceCategory, kFamilyNames[i]);
    return filter;
}

BOOL CUsbDeviceAccess::Open(const char* name)
{
    // The interface held so far would otherwise leak its reference.
    Close();
    IBaseFilter* filter = FindBox(name);
    if (!filter)
        return FALSE;
    m_lastResult = filter->QueryInterface(IID_IUsbBoxProperties, (void**)&m_box);
    filter->Release();
    if (FAILED(m_lastResult))
        m_box = NULL;
    return m_box != NULL;
}

void CUsbDeviceAccess::Close()
{
    if (m_box) {
        m_box->Release();
        m_box = NULL;
    }
}

HRESULT CUsbDeviceAccess::GetProperty(DWORD id, void* buffer)
{
    return m_box ? m_box->Get(id, buffer) : (HRESULT)kClosed;
}

HRESULT CUsbDeviceAccess::SetProperty(DWORD id, void* value)
{
    return m_box ? m_box->Set(id, value) : (HRESULT)kClosed;
}

HRESULT CUsbDeviceAccess::Transfer(DWORD selectorId, DWORD selector, DWORD dataId, BOOL read, BYTE* buffer)
{
    if (!m_box)
        return kClosed;
    HRESULT hr = m_box->Set(selectorId, &selector);
    if (SUCCEEDED(hr))
        hr = read ? m_box->Get(dataId, buffer) : m_box->Set(dataId, buffer);
    if (FAILED(hr)) {
        // Never leave the next transfer described by this one's selector.
        DWORD reset = 0;
        m_box->Set(selectorId, &reset);
    }
    m_lastResult = hr;
    return hr;
}

HRESULT CUsbDeviceAccess::ReadRegister(BYTE reg, BYTE count, BYTE* buffer)
{
    return Transfer(kRegisterSelector, (DWORD)reg << 8 | count, kRegisterData, TRUE, buffer);
}

HRESULT CUsbDeviceAccess::WriteRegister(BYTE reg, BYTE count, BYTE* buffer)
{
    return Transfer(kRegisterSelector, (DWORD)reg << 8 | count, kRegisterData, FALSE, buffer);
}

HRESULT CUsbDeviceAccess::I2CRead(BYTE address, BYTE count, BYTE* buffer)
{
    return Transfer(kI2CSelector, (DWORD)address << 16 | count, kI2CData, TRUE, buffer);
}

HRESULT CUsbDeviceAccess::I2CWrite(BYTE address, BYTE count, BYTE* buffer)
{
    return Transfer(kI2CSelector, (DWORD)address << 16 | count, kI2CData, FALSE, buffer);
}

HRESULT CUsbDeviceAccess::I2CReadSub(BYTE address, BYTE sub, BYTE count, BYTE* buffer)
{
    return I2CReadEx(address, sub, (WORD)(0x0100 | count), buffer);
}

HRESULT CUsbDeviceAccess::I2CWriteSub(BYTE address, BYTE sub, BYTE count, BYTE* buffer)
{
    return I2CWriteEx(address, sub, (WORD)(0x0100 | count), buffer);
}

HRESULT CUsbDeviceAccess::I2CReadEx(BYTE address, BYTE sub, WORD word, BYTE* buffer)
{
    DWORD selector = (DWORD)(word >> 8) << 24 | (DWORD)address << 16 | (DWORD)sub << 8 | (word & 0xFF);
    return Transfer(kI2CSelector, selector, kI2CData, TRUE, buffer);
}

HRESULT CUsbDeviceAccess::I2CWriteEx(BYTE address, BYTE sub, WORD word, BYTE* buffer)
{
    DWORD selector = (DWORD)(word >> 8) << 24 | (DWORD)address << 16 | (DWORD)sub << 8 | (word & 0xFF);
    return Transfer(kI2CSelector, selector, kI2CData, FALSE, buffer);
}

HRESULT CUsbDeviceAccess::PollIndirect()
{
    for (int i = 0; i < kIndirectPolls; ++i) {
        BYTE status = 0;
        if (FAILED(ReadRegister(kRegIndirectStatus, 1, &status)))
            return kRefused;
        if (!(status & kIndirectBusy))
            return S_OK;
    }
    return kRefused;
}

HRESULT CUsbDeviceAccess::ReadIndirectRegister(BYTE reg, BYTE* buffer)
{
    BYTE number = reg | kIndirectRead;
    HRESULT hr = WriteRegister(kRegIndirectNumber, 1, &number);
    if (FAILED(hr))
        return hr;
    hr = PollIndirect();
    return hr != S_OK ? hr : ReadRegister(kRegIndirectData, 2, buffer);
}

HRESULT CUsbDeviceAccess::WriteIndirectRegister(BYTE reg, BYTE* buffer)
{
    HRESULT hr = WriteRegister(kRegIndirectData, 2, buffer);
    if (FAILED(hr))
        return hr;
    hr = WriteRegister(kRegIndirectNumber, 1, &reg);
    if (FAILED(hr))
        return hr;
    return PollIndirect();
}

HRESULT CUsbDeviceAccess::ReadGpio(BYTE* value)
{
    BYTE outputs = 0;
    HRESULT hr = ReadRegister(kRegGpioOut, 1, &outputs);
    if (FAILED(hr))
        return hr;
    if ((outputs & m_gpioMask & 0xFF) != (m_gpioMask & 0xFF))
        return kRefused;
    return ReadRegister(kRegGpioIn, 1, value);
}

HRESULT CUsbDeviceAccess::WriteGpio(BYTE* value)
{
    if ((*value & m_gpioMask & 0xFF) != (m_gpioMask & 0xFF))
        return kRefused;
    return WriteRegister(kRegGpioOut, 1, value);
}

HRESULT CUsbDeviceAccess::SetGpioMask(DWORD mask)
{
    m_gpioMask = mask;
    BYTE outputs = 0;
    ReadRegister(kRegGpioOut, 1, &outputs);
    outputs |= (BYTE)mask;
    return WriteRegister(kRegGpioOut, 1, &outputs);
}

HRESULT CUsbDeviceAccess::SetProperty4107(DWORD value)
{
    if (!m_box)
        return kClosed;
    m_lastResult = m_box->Set(kProp4107, &value);
    return m_lastResult;
}

HRESULT CUsbDeviceAccess::QueryProperty4115(DWORD value, DWORD* out)
{
    *out = 0;
    HRESULT hr = SetProperty4107(value);
    if (FAILED(hr) || hr == kClosed)
        return hr;
    DWORD available = 0;
    m_lastResult = hr = m_box->Get(kProp4116, &available);
    if (FAILED(hr))
        return hr;
    if (available == 0)
        return kNoValue;
    m_lastResult = hr = m_box->Get(kProp4115, out);
    return hr;
}

BOOL CUsbDeviceAccess::IsProperty4121Set()
{
    DWORD value = 0;
    m_lastResult = GetProperty(kProp4121, &value);
    return Done(m_lastResult) && value != 0;
}

BOOL CUsbDeviceAccess::TestAndClearFlag()
{
    BYTE flags = 0;
    if (!Done(ReadRegister(kRegFlags, 1, &flags)) || !(flags & kFlagBit))
        return FALSE;
    flags &= (BYTE)~kFlagBit;
    WriteRegister(kRegFlags, 1, &flags);
    return TRUE;
}

BOOL CUsbDeviceAccess::ReadNameValue(const char* keyName, const char* const* values, int valueCount, char* name,
                                     wchar_t* wideName)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    char text[kNameSize];
    BOOL read = FALSE;
    for (int i = 0; !read && i < valueCount; ++i) {
        DWORD type = 0;
        DWORD size = sizeof(text) - 1;
        memset(text, 0, sizeof(text));
        read = RegQueryValueExA(key, values[i], NULL, &type, (BYTE*)text, &size) == ERROR_SUCCESS &&
               (type == REG_SZ || type == REG_EXPAND_SZ);
    }
    RegCloseKey(key);
    if (!read)
        return FALSE;
    text[kNameSize - 1] = '\0';
    CopyName(name, text);
    if (wideName) {
        wchar_t wide[kWideNameSize] = {0};
        MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kWideNameSize - 1);
        memcpy(wideName, wide, sizeof(wide));
    }
    return TRUE;
}

BOOL CUsbDeviceAccess::ReadAudioDeviceName(char* name, wchar_t* wideName)
{
    const char* const values[] = {"DeviceName"};
    return ReadNameValue(kAudioKey, values, 1, name, wideName);
}

void CUsbDeviceAccess::GetAudioName(char* name)
{
    char read[kNameSize];
    CopyName(name, ReadAudioDeviceName(read, NULL) ? read : kDefaultAudioName);
}

BOOL CUsbDeviceAccess::ReadDataSourceName(char* name, wchar_t* wideName)
{
    const char* const values[] = {"RealDSName", "DSName"};
    return ReadNameValue(kDataSourceKey, values, 2, name, wideName);
}

void CUsbDeviceAccess::GetDataSourceName(char* name)
{
    char read[kNameSize];
    CopyName(name, ReadDataSourceName(read, NULL) ? read : kDefaultDataSourceName);
}

BOOL CUsbDeviceAccess::OpenAudioFilters(char* name, IBaseFilter** audioInput, IBaseFilter** ksAudio,
                                        IBaseFilter** renderer)
{
    char deviceName[kNameSize];
    GetAudioName(deviceName);
    CopyName(name, deviceName);
    struct Search { IBaseFilter** out; IBaseFilter** field; const GUID* category; const char* name; };
    const Search searches[] = {
        {audioInput, &m_audioInput, &CLSID_AudioInputDeviceCategory, deviceName},
        {ksAudio, &m_ksAudio, &kKsCategoryAudio, deviceName},
        {renderer, &m_renderer, &CLSID_AudioRendererCategory, kRendererName},
    };
    for (const Search& s : searches) {
        if (!s.out)
            continue;
        if (*s.field)
            (*s.field)->Release();
        *s.field = Find(*s.category, s.name);
        *s.out = *s.field;
        if (!*s.field) {
            ReleaseAudioFilters();
            return FALSE;
        }
    }
    return TRUE;
}

void CUsbDeviceAccess::ReleaseAudioFilters()
{
    IBaseFilter** fields[] = {&m_audioInput, &m_ksAudio, &m_renderer};
    for (IBaseFilter** field : fields) {
        if (*field) {
            (*field)->Release();
            *field = NULL;
        }
    }
}

BOOL CUsbDeviceAccess::OpenDefault()
{
    char name[kNameSize];
    GetDataSourceName(name);
    return Open(name);
}

IBaseFilter* CUsbDeviceAccess::FindDefaultFilter()
{
    char name[kNameSize];
    GetDataSourceName(name);
    return FindBox(name);
}

BOOL CUsbDeviceAccess::CanOpen(const char* name)
{
    IUsbBoxProperties* held = m_box;
    m_box = NULL;
    BOOL opened = Open(name);
    Close();
    m_box = held;
    return opened;
}

BOOL CUsbDeviceAccess::CanOpen()
{
    char name[kNameSize];
    GetDataSourceName(name);
    return CanOpen(name);
}

int CUsbDeviceAccess::ShowPropertyPages(HWND parent, const char* name)
{
    IBaseFilter* filter = FindBox(name);
    if (!filter)
        return 0;
    ISpecifyPropertyPages* pages = NULL;
    m_lastResult = filter->QueryInterface(IID_ISpecifyPropertyPages, (void**)&pages);
    if (SUCCEEDED(m_lastResult) && pages) {
        CAUUID list = {0, NULL};
        if (SUCCEEDED(pages->GetPages(&list))) {
            IUnknown* objects[] = {filter};
            OleCreatePropertyFrame(parent, 0, 0, NULL, 1, objects, list.cElems, list.pElems, 0, 0, NULL);
            CoTaskMemFree(list.pElems);
        }
        pages->Release();
    }
    filter->Release();
    return 1;
}

int CUsbDeviceAccess::ShowPropertyPages(HWND parent)
{
    char name[kNameSize];
    GetDataSourceName(name);
    return ShowPropertyPages(parent, name);
}
