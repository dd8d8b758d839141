#pragma once

#include "I2CAccess.h"
#include "KsI2CPropertySet.h"

// The transport of the cards whose capture filter carries the drivers' register and I2C
// property set: one property request per transfer, GPIO through the bridge's GPIO registers.
class CKsPropertyI2C : public CI2CAccess
{
public:
    CKsPropertyI2C();
    virtual ~CKsPropertyI2C();

    // context is not used. A NULL filter keeps the interface already held.
    HRESULT Attach(IUnknown* filter, void* context) override;
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // Drives GPIO line 18 as an output.
    HRESULT SetControlLine(int state) override;
    // Byte (reg & 3) of the register DWORD at (reg & ~3).
    HRESULT ReadRegByte(DWORD reg, BYTE* value) override;

    HRESULT GetRegister(DWORD reg, DWORD* value);
    HRESULT SetRegister(DWORD reg, DWORD value);

protected:
    // Bridge GPIO registers. Control: low bits the output-enable mask; kGpioLatch takes a
    // new setting.
    static const DWORD kRegGpioControl = 0x1B0;
    static const DWORD kRegGpioData = 0x1B4;
    static const DWORD kGpioLatch = 0x80000000;
    // The output enables the driver keeps between accesses: lines 12 and 13.
    static const DWORD kGpioIdleOutputs = 0x3000;
    // Line 18: the control line of SetControlLine.
    static const DWORD kGpioControlLine = 0x40000;
    // How long a GPIO write settles before the idle outputs are restored.
    enum { kGpioSettleMs = 120 };

    // Enable mask outputs, write the data, wait settleMs (0: not at all), restore the idle
    // outputs. Stops at the first failing step.
    HRESULT WriteGpioSequence(DWORD value, DWORD mask, DWORD settleMs);

    CKsI2CPropertySet m_driver;
};
