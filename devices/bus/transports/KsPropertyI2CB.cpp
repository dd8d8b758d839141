#include "KsPropertyI2CB.h"

#include "AutoCritLock.h"

namespace
{
// The driver's further control properties; what they do lies in the driver.
enum { kPropControl7 = 7, kPropControl8 = 8, kPropControl9 = 9, kPropControl10 = 10 };
}

HRESULT CKsPropertyI2CB::WriteGpio(DWORD value, DWORD mask)
{
    return WriteGpioSequence(value, mask, 0);
}

HRESULT CKsPropertyI2CB::WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs)
{
    return WriteGpioSequence(value, mask, delayMs);
}

HRESULT CKsPropertyI2CB::SetProperty7(DWORD value)
{
    return SendDword(kPropControl7, value);
}

HRESULT CKsPropertyI2CB::SetProperty8(DWORD value)
{
    return SendDword(kPropControl8, value);
}

HRESULT CKsPropertyI2CB::SendProperty9()
{
    CAutoCritLock lock(&m_lock);
    return m_driver.SendEmpty(kPropControl9);
}

HRESULT CKsPropertyI2CB::SetProperty10(DWORD value)
{
    return SendDword(kPropControl10, value);
}

HRESULT CKsPropertyI2CB::SendDword(DWORD id, DWORD value)
{
    CAutoCritLock lock(&m_lock);
    return m_driver.SendDword(id, value);
}
