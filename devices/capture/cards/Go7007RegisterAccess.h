#pragma once

#include "I2CAccess.h"

#include <unknwn.h>

// The GO7007 box driver's register interface on its capture filter. Only methods 7, 8, 9 and
// 15 are used here; the others keep the driver's slot order.
struct IGo7007Registers : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved4() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved5() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved6() = 0;
    // width: the sub-address width in bits (0, 8 or 16).
    virtual HRESULT STDMETHODCALLTYPE RegisterWrite(DWORD device, DWORD width, DWORD subAddress, DWORD data,
                                                    DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterRead(DWORD device, DWORD width, DWORD subAddress, BYTE* value,
                                                   DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE BlockWrite(DWORD device, DWORD width, DWORD subAddress, DWORD count,
                                                 BYTE* data, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved12() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved13() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved14() = 0;
    // code 2: write the value to the register named by the request {device, sub-address, 0}.
    virtual HRESULT STDMETHODCALLTYPE Command(DWORD code, BYTE* request, DWORD count, DWORD* value,
                                              DWORD flags) = 0;
};

// {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
inline constexpr IID IID_IGo7007Registers =
    {0x6420803D, 0xD8BA, 0x43D2, {0xBD, 0x4A, 0x10, 0x9B, 0xA1, 0x6C, 0x2E, 0x32}};

// The GO7007 box's chips (EEPROM, status device, tuner module) through the driver's register
// interface. The box has no GPIO lines to reach: those operations succeed doing nothing.
class CGo7007RegisterAccess : public CI2CAccess
{
public:
    // Passed by this object's own operations and by the box's callers of ReadRegister and
    // WriteRegister.
    enum { kFlags = 0x8000 };
    enum { kCommandWriteRegister = 2 };

    CGo7007RegisterAccess();
    ~CGo7007RegisterAccess() override;

    // The owner is not needed: the interface is all this transport uses.
    HRESULT Attach(IUnknown* filter, void* owner) override;
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    // One byte from the device in buffer[0], over it, whatever the length.
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    // Leaves *value as it was.
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    virtual HRESULT ReadRegister(BYTE address, DWORD width, DWORD subAddress, BYTE* value, DWORD flags);
    // The width is not passed on: the driver's register-write command has no place for it.
    virtual HRESULT WriteRegister(BYTE address, DWORD width, DWORD subAddress, DWORD value, DWORD flags);

private:
    static DWORD WidthOf(int subAddress) { return (subAddress & 0xFF00) ? 16 : 8; }

    // Owned reference; NULL until Attach.
    IGo7007Registers* m_registers;
};
