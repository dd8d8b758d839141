#include "CardBusFake.h"

namespace {

const BYTE kEepromAddress = 0xA0;
const HRESULT kNack = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);

} // namespace

HRESULT CardBusFake::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    if (address != kEepromAddress) {
        auto found = registers.find(address << 8 | subAddress);
        if (found == registers.end())
            return kNack;
        *value = found->second;
        return S_OK;
    }
    if (address != kEepromAddress || subAddress == failingSubAddress)
        return kNack;
    *value = eeprom[subAddress & 0xFF];
    return S_OK;
}

HRESULT CardBusFake::WriteByte(BYTE address, int subAddress, BYTE value)
{
    if (address != kEepromAddress) {
        auto found = registers.find(address << 8 | subAddress);
        if (found == registers.end())
            return kNack;
        found->second = value;
        registerWrites.push_back((address << 8 | subAddress) << 8 | value);
        return S_OK;
    }
    if (address != kEepromAddress || subAddress == failingSubAddress)
        return kNack;
    eeprom[subAddress & 0xFF] = value;
    return S_OK;
}

HRESULT CardBusFake::Read(BYTE* buffer, int)
{
    ++reads;
    return answering.count(buffer[0]) ? S_OK : kNack;
}

HRESULT CardBusFake::Write(BYTE* buffer, int length)
{
    blockWrites.push_back(std::vector<BYTE>(buffer, buffer + length));
    return answering.count(buffer[0]) ? S_OK : kNack;
}

HRESULT CardBusFake::ReadGpio(DWORD* value)
{
    *value = gpio.front();
    if (gpio.size() > 1)
        gpio.pop_front();
    return S_OK;
}

HRESULT CardBusFake::WriteGpio(DWORD value, DWORD mask)
{
    return WriteGpioTimed(value, mask, 0);
}

HRESULT CardBusFake::WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs)
{
    gpioWrites.push_back({value, mask, delayMs});
    gpio.back() = (gpio.back() & ~mask) | (value & mask);
    return S_OK;
}
