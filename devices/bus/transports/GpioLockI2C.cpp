#include "GpioLockI2C.h"

#include "TransportSets.h"

namespace
{
// Every GPIO line the driver reports.
const DWORD kGpioReadMask = 0x0FFFFFFF;
// A GPIO write settles before the next program may touch the card.
const DWORD kGpioSettleMs = 100;

// Holds a named mutex for its scope when it could get it within the mutex's bounded wait.
class CMutexHold
{
public:
    explicit CMutexHold(CNamedMutex& mutex) : m_mutex(mutex), m_held(mutex.Lock()) {}
    ~CMutexHold()
    {
        if (m_held)
            m_mutex.Unlock();
    }
    CMutexHold(const CMutexHold&) = delete;
    CMutexHold& operator=(const CMutexHold&) = delete;

    bool Held() const { return m_held != FALSE; }

private:
    CNamedMutex& m_mutex;
    BOOL m_held;
};
}

CGpioLockI2C::CGpioLockI2C()
    : m_driver(kCaptureI2CSet), m_gpioLock("GPIO_LOCK", FALSE)
{
}

CGpioLockI2C::~CGpioLockI2C()
{
    m_driver.Detach();
}

template <class Request>
HRESULT CGpioLockI2C::Exchange(HRESULT checked, Request request)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    if (FAILED(checked))
        return checked;
    CMutexHold hold(m_gpioLock);
    if (!hold.Held())
        return E_FAIL;
    return request();
}

HRESULT CGpioLockI2C::Attach(IUnknown* filter, void*)
{
    m_driver.Detach();
    if (!filter)
        return E_POINTER;
    return m_driver.Attach(filter);
}

HRESULT CGpioLockI2C::SendBusControl(BYTE value)
{
    return Exchange(S_OK, [&] { return m_driver.SendBusControl(value); });
}

HRESULT CGpioLockI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    return Exchange(CheckByteRead(subAddress, value),
                    [&] { return m_driver.ReadByte(address, subAddress, value); });
}

HRESULT CGpioLockI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    return Exchange(CheckSubAddress(subAddress),
                    [&] { return m_driver.WriteByte(address, subAddress, value); });
}

HRESULT CGpioLockI2C::Read(BYTE* buffer, int length)
{
    return Exchange(CheckReadBlock(buffer, length), [&] { return m_driver.ReadBlock(buffer, length); });
}

HRESULT CGpioLockI2C::Write(BYTE* buffer, int length)
{
    return Exchange(CheckWriteBlock(buffer, length), [&] { return m_driver.WriteBlock(buffer, length); });
}

HRESULT CGpioLockI2C::SendDeviceControl(BYTE value)
{
    return Exchange(S_OK, [&] { return m_driver.SendDeviceControl(value); });
}

HRESULT CGpioLockI2C::ReadGpio(DWORD* value)
{
    return Exchange(CheckOut(value), [&] { return m_driver.GetGpio(kGpioReadMask, value); });
}

HRESULT CGpioLockI2C::WriteGpio(DWORD value, DWORD mask)
{
    return Exchange(S_OK, [&] {
        HRESULT hr = m_driver.SetGpio(value, mask);
        if (SUCCEEDED(hr))
            Sleep(kGpioSettleMs);
        return hr;
    });
}

HRESULT CGpioLockI2C::ReadIdWords(DWORD* first, DWORD* second)
{
    HRESULT checked = CheckOut(first);
    if (SUCCEEDED(checked))
        checked = CheckOut(second);
    return Exchange(checked, [&] {
        DWORD words = 0;
        HRESULT hr = m_driver.ReadIdWords(&words);
        if (SUCCEEDED(hr)) {
            *first = LOWORD(words);
            *second = HIWORD(words);
        }
        return hr;
    });
}
