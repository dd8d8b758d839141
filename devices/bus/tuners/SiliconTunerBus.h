#pragma once

#include <windows.h>

// What the silicon tuner driver needs of the card's bus: byte registers of an I2C device and
// block writes. Addresses are 8-bit write addresses. TRUE when the device took the transfer.
class CSiliconTunerBus
{
public:
    virtual ~CSiliconTunerBus() {}

    virtual BOOL WriteRegister(BYTE address, BYTE reg, BYTE value) = 0;
    virtual BOOL ReadRegister(BYTE address, BYTE reg, BYTE* value) = 0;
    virtual BOOL WriteBlock(BYTE address, const BYTE* data, int length) = 0;
};
