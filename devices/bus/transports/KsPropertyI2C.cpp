#include "KsPropertyI2C.h"

#include "AutoCritLock.h"
#include "TransportSets.h"

CKsPropertyI2C::CKsPropertyI2C()
    : m_driver(kCaptureI2CSet)
{
}

CKsPropertyI2C::~CKsPropertyI2C()
{
    m_driver.Detach();
}

HRESULT CKsPropertyI2C::Attach(IUnknown* filter, void*)
{
    if (!filter)
        return E_POINTER;
    CAutoCritLock lock(&m_lock);
    return m_driver.Attach(filter);
}

HRESULT CKsPropertyI2C::SendBusControl(BYTE value)
{
    CAutoCritLock lock(&m_lock);
    return m_driver.SendBusControl(value);
}

HRESULT CKsPropertyI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckByteRead(subAddress, value);
    return FAILED(hr) ? hr : m_driver.ReadByte(address, subAddress, value);
}

HRESULT CKsPropertyI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckSubAddress(subAddress);
    return FAILED(hr) ? hr : m_driver.WriteByte(address, subAddress, value);
}

HRESULT CKsPropertyI2C::Read(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckReadBlock(buffer, length);
    return FAILED(hr) ? hr : m_driver.ReadBlock(buffer, length);
}

HRESULT CKsPropertyI2C::Write(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckWriteBlock(buffer, length);
    return FAILED(hr) ? hr : m_driver.WriteBlock(buffer, length);
}

HRESULT CKsPropertyI2C::SendDeviceControl(BYTE value)
{
    CAutoCritLock lock(&m_lock);
    return m_driver.SendDeviceControl(value);
}

HRESULT CKsPropertyI2C::ReadGpio(DWORD* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckOut(value);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioControl, kGpioIdleOutputs);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioControl, kGpioLatch | kGpioIdleOutputs);
    if (SUCCEEDED(hr))
        hr = GetRegister(kRegGpioData, value);
    return hr;
}

HRESULT CKsPropertyI2C::WriteGpio(DWORD value, DWORD mask)
{
    return WriteGpioSequence(value, mask, kGpioSettleMs);
}

HRESULT CKsPropertyI2C::WriteGpioSequence(DWORD value, DWORD mask, DWORD settleMs)
{
    CAutoCritLock lock(&m_lock);
    HRESULT hr = SetRegister(kRegGpioControl, mask);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioControl, mask | kGpioLatch);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioData, value);
    if (FAILED(hr))
        return hr;
    if (settleMs)
        Sleep(settleMs);
    return SetRegister(kRegGpioControl, kGpioLatch | kGpioIdleOutputs);
}

HRESULT CKsPropertyI2C::SetControlLine(int state)
{
    CAutoCritLock lock(&m_lock);
    DWORD control = 0;
    DWORD data = 0;
    HRESULT hr = GetRegister(kRegGpioControl, &control);
    if (SUCCEEDED(hr))
        hr = GetRegister(kRegGpioData, &data);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioControl, control | kGpioControlLine);
    if (SUCCEEDED(hr))
        hr = SetRegister(kRegGpioData, state ? data | kGpioControlLine : data & ~kGpioControlLine);
    return hr;
}

HRESULT CKsPropertyI2C::ReadRegByte(DWORD reg, BYTE* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckOut(value);
    DWORD word = 0;
    if (SUCCEEDED(hr))
        hr = GetRegister(reg & ~3u, &word);
    if (SUCCEEDED(hr))
        *value = (BYTE)(word >> (8 * (reg & 3)));
    return hr;
}

HRESULT CKsPropertyI2C::GetRegister(DWORD reg, DWORD* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckOut(value);
    return FAILED(hr) ? hr : m_driver.GetRegister(reg, value);
}

HRESULT CKsPropertyI2C::SetRegister(DWORD reg, DWORD value)
{
    CAutoCritLock lock(&m_lock);
    return m_driver.SetRegister(reg, value);
}
