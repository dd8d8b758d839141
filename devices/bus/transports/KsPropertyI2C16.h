#pragma once

#include "ComRef.h"
#include "I2CAccess.h"

#include <strmif.h>

// The transport of a driver family that moves at most 16 bytes per I2C request, over two
// buses: the EEPROM range (addresses with both bits of 0xA0 set) on bus 1, the rest on bus 2.
// Every request first asks whether the driver supports it.
//
// Property data (no instance data), set kBus16Set:
//   0 byte read (Get, 19 bytes), 1 byte write (Set, 19): [0] bus, [1] address, [2] sub-address,
//     [3] value.
//   3 block read (Get, 264), 4 block write (Set, 264): [0] bus, [1] address (bit 0 set for a
//     read), [2..3] data byte count, data from [8].
//   5 register read (Get, 8), 6 register write (Set, 8): DWORD register, DWORD value.
// kBus16ControlSet and kBus16DeviceSet, property 0 (Set, 4): the DWORD control value.
class CKsPropertyI2C16 : public CI2CAccess
{
public:
    CKsPropertyI2C16();
    virtual ~CKsPropertyI2C16();

    // context is not used.
    HRESULT Attach(IUnknown* filter, void* context) override;
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // At most 16 bytes: the device is addressed, then read.
    HRESULT Read(BYTE* buffer, int length) override;
    // Longer than 17 bytes: buffer[1] is the sub-address of every 15-byte piece.
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // A reset pulse on GPIO line 1: low, then high, 20 ms each.
    HRESULT SetControlLine(int state) override;
    HRESULT WriteRegByte(BYTE reg, BYTE value) override;
    HRESULT ReadRegByte(DWORD reg, BYTE* value) override;

    HRESULT ReadRegister(DWORD reg, DWORD* value);
    HRESULT WriteRegister(DWORD reg, DWORD value);
    HRESULT SetGpioLine(int bit, int level);

    enum { kMaxRead = 16, kPieceBytes = 15, kLongWrite = 18 };

private:
    HRESULT Request(const GUID& set, DWORD id, BOOL get, BYTE* data, DWORD size);
    HRESULT Block(BOOL read, BYTE address, const BYTE* data, int count, BYTE* reply);
    static BYTE Bus(BYTE address);

    CComRef<IKsPropertySet> m_driver;
};
