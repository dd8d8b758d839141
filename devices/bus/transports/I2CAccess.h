#pragma once

#include <windows.h>

// Register, GPIO and I2C access to the chips of a capture card or box (tuner, demodulator,
// EEPROM, bridge registers, GPIO lines). One transport per driver interface implements it;
// the capture device owns the transport and lends it to its tuner object.
//
// Block convention of Read and Write: byte 0 is the device's 8-bit write address; the
// transport sets bit 0 for a read and clears it for a write. Write sends the bytes after the
// address; Read returns the bytes read from byte 0 on, over the address byte.
class CI2CAccess
{
public:
    enum {
        kMinReadLength = 1,
        kMinWriteLength = 2,
        // The drivers' block requests carry at most this many bytes, address byte included.
        kMaxBlockLength = 256
    };

    CI2CAccess();
    virtual ~CI2CAccess();

    // filter: the capture filter's IUnknown. context: the transport's own meaning (the owning
    // capture device for the KS transports).
    virtual HRESULT Attach(IUnknown* filter, void* context) = 0;
    virtual HRESULT SendBusControl(BYTE value) = 0;
    virtual HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) = 0;
    virtual HRESULT WriteByte(BYTE address, int subAddress, BYTE value) = 0;
    virtual HRESULT Read(BYTE* buffer, int length) = 0;
    virtual HRESULT Write(BYTE* buffer, int length) = 0;
    virtual HRESULT SendDeviceControl(BYTE value) = 0;
    virtual HRESULT ReadGpio(DWORD* value) = 0;
    virtual HRESULT WriteGpio(DWORD value, DWORD mask) = 0;
    // The delay is the caller's wish; transports without a timed write ignore it.
    virtual HRESULT WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs);
    virtual HRESULT SetProperty7(DWORD value);
    virtual HRESULT SetProperty8(DWORD value);
    virtual HRESULT SendProperty9();
    virtual HRESULT SetProperty10(DWORD value);
    virtual HRESULT SetControlLine(int state);
    virtual HRESULT WriteRegByte(BYTE reg, BYTE value);
    virtual HRESULT ReadRegByte(DWORD reg, BYTE* value);
    virtual HRESULT SetControlLine2(int state);

protected:
    // Argument checks shared by the transports: S_OK, E_POINTER or E_INVALIDARG. Blocks
    // outside the drivers' limits are refused whole, never split or cut short.
    static HRESULT CheckByteRead(int subAddress, const BYTE* value);
    static HRESULT CheckSubAddress(int subAddress);
    static HRESULT CheckOut(const void* out);
    static HRESULT CheckReadBlock(const BYTE* buffer, int length);
    static HRESULT CheckWriteBlock(const BYTE* buffer, int length);

    // Serialises one object's driver traffic between the threads of this process (user
    // interface, scan threads, remote poll thread); re-entrant, so a locked operation may
    // call another. Guards the driver interface or handle of each transport.
    CRITICAL_SECTION m_lock;

private:
    CI2CAccess(const CI2CAccess&);
    CI2CAccess& operator=(const CI2CAccess&);
};
