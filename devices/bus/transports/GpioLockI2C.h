#pragma once

#include "I2CAccess.h"
#include "KsI2CPropertySet.h"
#include "NamedMutex.h"

// The Conexant 2388x cards' transport: the drivers' register and I2C property set, GPIO
// through its GPIO property, and every request under "GPIO_LOCK", the card's lock shared by
// every program that drives it. A card busy for longer than the lock's bounded wait makes the
// operation fail with E_FAIL instead of blocking.
class CGpioLockI2C : public CI2CAccess
{
public:
    CGpioLockI2C();
    virtual ~CGpioLockI2C();

    // context is not used. Drops the interface held first, so a NULL filter detaches.
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
    virtual HRESULT ReadIdWords(DWORD* first, DWORD* second);

protected:
    // Runs request under the card lock once the arguments passed (checked is S_OK).
    template <class Request>
    HRESULT Exchange(HRESULT checked, Request request);

    CKsI2CPropertySet m_driver;
    // Orders this card's traffic between processes; the base's critical section is not used.
    // Taken inside "Mutex_Remote_Control" when a caller holds both.
    CNamedMutex m_gpioLock;
};
