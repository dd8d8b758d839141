#pragma once

#include "ComRef.h"
#include "I2CAccess.h"

#include <strmif.h>

// The transport of drivers that tunnel USB vendor control requests through one property:
// an 8-byte control header and its data go out with a Set, and the device's reply comes back
// with the Get that follows. The requests are short: writes of 3 to 12 bytes, reads of one.
// GPIO lines are numbered 0 to 7.
class CKsShortBlockI2C : public CI2CAccess
{
public:
    CKsShortBlockI2C();
    virtual ~CKsShortBlockI2C();

    // context is not used.
    HRESULT Attach(IUnknown* filter, void* context) override;
    // The device has no bus or device controls: S_OK, nothing sent.
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    // No GPIO state can be read: E_NOTIMPL.
    HRESULT ReadGpio(DWORD* value) override;
    // value: the level, mask: the line number (0 to 7).
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // The tuner's reset line (line 0) is active low.
    HRESULT SetControlLine(int state) override;
    HRESULT WriteRegByte(BYTE reg, BYTE value) override;
    HRESULT ReadRegByte(DWORD reg, BYTE* value) override;

    HRESULT ReadReg(BYTE address, int subAddress, BYTE* value) { return ReadByte(address, subAddress, value); }
    HRESULT WriteReg(BYTE address, int subAddress, BYTE value) { return WriteByte(address, subAddress, value); }

    enum { kHeaderBytes = 8, kMaxRequestBytes = 18 };

protected:
    // Sends header and data; the reply's bytes go to reply (at most replySize of them).
    HRESULT Transfer(const BYTE* request, int length, BYTE* reply, int replySize);
    HRESULT Control(BYTE type, BYTE request, BYTE valueLow, BYTE valueHigh, BYTE indexLow, BYTE dataLength,
                    BYTE* reply);

private:
    CComRef<IKsPropertySet> m_driver;
};

// The same device with the tuner's reset on line 1, strobed three times, and a second
// control line on line 0.
class CKsShortBlockI2C2 : public CKsShortBlockI2C
{
public:
    HRESULT SetControlLine(int state) override;
    HRESULT SetControlLine2(int state) override;
};
