#pragma once

#include "I2CAccess.h"
#include "UsbDeviceAccess.h"

#include <string>
#include <vector>

// The transport of the USB 2800-family boxes, over the box library by the box's friendly
// name. The bus controls open and close the box. A closed box or a transfer the box did not
// do answers E_FAIL, so that callers testing for "not negative" see the failure.
class CUsbBridgeI2C : public CI2CAccess
{
public:
    CUsbBridgeI2C();
    virtual ~CUsbBridgeI2C();

    // context: the box's friendly name (const char*). E_INVALIDARG for none or an empty one,
    // E_FAIL when no box opens.
    HRESULT Attach(IUnknown* filter, void* context) override;
    // Non-zero opens the box, zero closes it.
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    // The box's GPIO byte: its input register is read, its output register written; the mask
    // is the library's (SetGpioMask), not the argument.
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    // The addresses 0 to lastAddress (at most 254) whose one-byte read answers with a bit of
    // mask set; returns how many were found.
    int ScanBus(std::vector<BYTE>* found, int lastAddress, int mask);

    CUsbDeviceAccess& Library() { return m_library; }

private:
    static HRESULT Result(BOOL done) { return done ? S_OK : E_FAIL; }

    CUsbDeviceAccess m_library;
    std::string m_name;
    BOOL m_open;
};
