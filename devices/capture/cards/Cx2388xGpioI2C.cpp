#include "Cx2388xGpioI2C.h"

namespace {

const DWORD kGpioReadMask = 0x0FFFFFFF;
const DWORD kAudioLines = 0x7000;

} // namespace

HRESULT CCx2388xGpioI2C::WriteGpio(DWORD value, DWORD mask)
{
    return WriteGpioTimed(value, mask, 0);
}

HRESULT CCx2388xGpioI2C::WriteGpioTimed(DWORD value, DWORD mask, DWORD delayMs)
{
    if (!m_driver.IsAttached() || !m_gpioLock.Lock())
        return E_FAIL;
    DWORD current = 0;
    HRESULT hr = m_driver.GetGpio(kGpioReadMask, &current);
    if (SUCCEEDED(hr))
        hr = m_driver.SetGpio(value | (current & kAudioLines & ~mask), mask | kAudioLines);
    m_gpioLock.Unlock();
    if (SUCCEEDED(hr) && delayMs)
        Sleep(delayMs);
    return hr;
}
