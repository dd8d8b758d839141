#pragma once

#include "BaseFilter.h"
#include "UsbDeviceAccess.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// A USB box's capture filter whose property interface works like the box: the selectors
// describe the next data transfer onto a register file and a bus of byte-addressed devices.
// Every call is written down ("S4101=00000801", "G4102:5A", "S4104:0102").
class FakeUsbBox : public CBaseFilter, public IUsbBoxProperties
{
public:
    FakeUsbBox();

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return 0; }
    CBasePin* GetPin(int) override { return nullptr; }

    STDMETHODIMP Reserved() override { return E_NOTIMPL; }
    STDMETHODIMP Set(DWORD id, void* value) override;
    STDMETHODIMP Get(DWORD id, void* buffer) override;

    BYTE registers[256] = {};
    // Device memories by 8-bit write address; a transfer to any other address fails.
    std::map<BYTE, std::vector<BYTE>> devices;
    // Status reads of register 0x43 that still show busy; -1 keeps it busy.
    int busyReads = 0;
    int statusReads = 0;
    bool statusFails = false;
    std::map<DWORD, DWORD> values;          // what Get answers for 4115, 4116, 4121
    std::map<DWORD, HRESULT> failOnce;      // the next call of this id fails with that result
    std::vector<std::string> calls;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    HRESULT Data(DWORD id, BYTE* data, bool read);

    DWORD m_registerSelector = 0;
    DWORD m_i2cSelector = 0;
    std::map<BYTE, BYTE> m_pointers;
};

// The device search the tests give the library: filters by category and friendly name.
struct FakeDevices
{
    struct Entry { GUID category; std::string name; IBaseFilter* filter; };
    static std::vector<Entry>& List();
    static IBaseFilter* Find(const GUID& category, const char* prefix);
    static std::vector<std::string>& Searches();
};
