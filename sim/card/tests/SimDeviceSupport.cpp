#include "SimDeviceSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace
{
const char MODULE_PATH[] = "C:\\sim\\filters\\sim2388x.ax";

std::string Narrow(const WCHAR* text)
{
    char buffer[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer), nullptr, nullptr);
    return buffer;
}

bool ReadBag(IMoniker* moniker, std::string* name, DWORD* card)
{
    CComRef<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.ReceiveVoid())))
        return false;
    VARIANT v;
    VariantInit(&v);
    if (FAILED(bag->Read(L"FriendlyName", &v, nullptr)) || v.vt != VT_BSTR)
        return false;
    *name = Narrow(v.bstrVal);
    VariantClear(&v);
    *card = ~0u;
    if (SUCCEEDED(bag->Read(L"SimCard", &v, nullptr)) && SUCCEEDED(VariantChangeType(&v, &v, 0, VT_UI4)))
        *card = v.ulVal;
    VariantClear(&v);
    return true;
}

template <class F> void ForEachDevice(REFCLSID category, F f)
{
    CComRef<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.ReceiveVoid())))
        return;
    CComRef<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(category, monikers.Receive(), 0) != S_OK)
        return;
    CComRef<IMoniker> moniker;
    while (monikers->Next(1, moniker.Receive(), nullptr) == S_OK) {
        if (!f(moniker.Get()))
            return;
    }
}

HMODULE Module()
{
    HMODULE module = GetModuleHandleA(MODULE_PATH);
    return module ? module : LoadLibraryA(MODULE_PATH);
}
}

std::vector<std::string> SimDevices::Names(REFCLSID category)
{
    std::vector<std::string> names;
    ForEachDevice(category, [&](IMoniker* moniker) {
        std::string name;
        DWORD card = 0;
        if (ReadBag(moniker, &name, &card))
            names.push_back(name);
        return true;
    });
    return names;
}

CComRef<IBaseFilter> SimDevices::Bind(REFCLSID category, const char* friendlyName, DWORD card)
{
    CComRef<IBaseFilter> filter;
    ForEachDevice(category, [&](IMoniker* moniker) {
        std::string name;
        DWORD number = 0;
        if (!ReadBag(moniker, &name, &number) || name != friendlyName || number != card)
            return true;
        moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.ReceiveVoid());
        return false;
    });
    return filter;
}

SimFilterRequests::SimFilterRequests(IUnknown* filter)
{
    if (filter)
        filter->QueryInterface(IID_IKsPropertySet, m_set.ReceiveVoid());
}

HRESULT SimFilterRequests::Send(bool get, DWORD id, BYTE* buffer, DWORD size, DWORD* returned)
{
    static const GUID set = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };
    if (get)
        return m_set->Get(set, id, buffer + 24, size - 24, buffer, size, returned);
    return m_set->Set(set, id, buffer + 24, size - 24, buffer, size);
}

HRESULT SimControl::Run(const std::string& command, std::string* answer)
{
    typedef HRESULT(WINAPI * Command)(int, const char*, char*, DWORD);
    Command simCommand = reinterpret_cast<Command>(reinterpret_cast<void (*)()>(GetProcAddress(Module(), "SimCommand")));
    if (simCommand == nullptr)
        return E_NOINTERFACE;
    std::vector<char> out(1 << 20);
    HRESULT hr = simCommand((int)m_card, command.c_str(), out.data(), (DWORD)out.size());
    if (answer)
        *answer = out.data();
    return hr;
}

std::string SimControl::operator()(const std::string& command)
{
    std::string answer;
    HRESULT hr = Run(command, &answer);
    EXPECT_EQ(S_OK, hr) << command;
    return answer;
}

DWORD SimControl::TraceMark()
{
    unsigned long seq = 0;
    sscanf((*this)("trace mark").c_str(), "seq=%lu", &seq);
    return seq;
}

std::string SimControl::TraceFrom(DWORD seq)
{
    return (*this)("trace " + std::to_string(seq));
}

HRESULT SimControl::Install(bool install, const wchar_t* commandLine)
{
    typedef HRESULT(WINAPI * InstallFunction)(BOOL, LPCWSTR);
    InstallFunction dllInstall = reinterpret_cast<InstallFunction>(reinterpret_cast<void (*)()>(GetProcAddress(Module(), "DllInstall")));
    return dllInstall ? dllInstall(install, commandLine) : E_NOINTERFACE;
}

DWORD SimFrameReader::Band(const BYTE* yuy2, LONG width, LONG height, int band)
{
    LONG row = band * height / 8 + height / 16;
    DWORD word = 0;
    for (int cell = 0; cell < 32; ++cell) {
        LONG x = (2 * cell + 1) * width / 64;
        BYTE y = yuy2[(size_t)row * width * 2 + 2 * x];
        word = word << 1 | (y > 128 ? 1 : 0);
    }
    return word;
}

bool SimFrameReader::IsNoise(const BYTE* yuy2, LONG width, LONG height)
{
    // Across one cell of the ID band a coded picture is flat.
    LONG row = height / 16;
    int changes = 0;
    for (LONG x = 1; x < width / 32; ++x) {
        const BYTE* line = yuy2 + (size_t)row * width * 2;
        if (line[2 * x] != line[2 * (x - 1)])
            ++changes;
    }
    return changes > width / 64;
}
