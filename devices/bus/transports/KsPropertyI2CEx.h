#pragma once

#include "I2CAccess.h"
#include "KsI2CPropertySet.h"

// The register and I2C requests of CGpioLockI2C on a later driver family's own property set,
// serialised inside this process only, and only for GPIO: the driver orders the byte and
// block requests itself.
class CKsPropertyI2CEx : public CI2CAccess
{
public:
    CKsPropertyI2CEx();
    virtual ~CKsPropertyI2CEx();

    // context is not used. Succeeds only when the filter supports the set; a failed Attach
    // leaves nothing attached.
    HRESULT Attach(IUnknown* filter, void* context) override;
    HRESULT SendBusControl(BYTE value) override;
    HRESULT ReadByte(BYTE address, int subAddress, BYTE* value) override;
    HRESULT WriteByte(BYTE address, int subAddress, BYTE value) override;
    HRESULT Read(BYTE* buffer, int length) override;
    HRESULT Write(BYTE* buffer, int length) override;
    HRESULT SendDeviceControl(BYTE value) override;
    HRESULT ReadGpio(DWORD* value) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    // The driver's two 16-bit device id words.
    HRESULT ReadIdWords(DWORD* first, DWORD* second);

private:
    CKsI2CPropertySet m_driver;
};
