#pragma once

#include "I2CAccess.h"

// The access object of a capture device without an I2C bus or GPIO lines, so that callers need
// no NULL checks: every bus and GPIO operation answers E_NOTIMPL and touches nothing.
class CNullI2C : public CI2CAccess
{
public:
    CNullI2C();

    // Keeps the first non-NULL context (the owning device); S_OK once one is kept.
    HRESULT Attach(IUnknown* filter, void* context) override;
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs) override;
    HRESULT SetControlLine(int state) override;
    HRESULT WriteRegByte(BYTE reg, BYTE value) override;
    HRESULT ReadRegByte(DWORD reg, BYTE* value) override;

private:
    // Weak: the owning device outlives its access object.
    void* m_owner;
};
