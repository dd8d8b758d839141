#pragma once

#include "I2CAccess.h"

#include <deque>
#include <map>
#include <set>
#include <vector>

// A card bus for the device's own logic: which addresses answer, an EEPROM with an optional
// failing byte, a GPIO word queue, and a record of the GPIO writes and block writes.
class CardBusFake : public CI2CAccess
{
public:
    struct GpioWrite
    {
        DWORD value, mask, delayMs;
    };

    std::set<BYTE> answering;
    BYTE eeprom[256] = {0};
    int failingSubAddress = -1;  // the EEPROM byte whose access fails
    // Reads take the front word while more than one is queued, then repeat the last.
    std::deque<DWORD> gpio = {0};
    std::vector<GpioWrite> gpioWrites;
    std::vector<std::vector<BYTE>> blockWrites;
    int reads = 0;
    // Registers of other devices: (address << 8 | sub-address) -> value; writes land here.
    std::map<int, BYTE> registers;
    std::vector<int> registerWrites;  // (address << 8 | sub-address) << 8 | value

    HRESULT Attach(IUnknown*, void*) override { return S_OK; }
    HRESULT SendBusControl(BYTE) override { return S_OK; }
    HRESULT SendDeviceControl(BYTE) override { return S_OK; }
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs) override;
};
