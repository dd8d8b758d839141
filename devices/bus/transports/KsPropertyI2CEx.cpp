#include "KsPropertyI2CEx.h"

#include "AutoCritLock.h"
#include "TransportSets.h"

namespace
{
// Property 0 answers for the set as a whole.
const DWORD kPropProbe = 0;
const DWORD kGpioReadMask = 0x0FFFFFFF;
const DWORD kGpioSettleMs = 100;
}

CKsPropertyI2CEx::CKsPropertyI2CEx()
    : m_driver(kCaptureI2CExSet)
{
}

CKsPropertyI2CEx::~CKsPropertyI2CEx()
{
    m_driver.Detach();
}

HRESULT CKsPropertyI2CEx::Attach(IUnknown* filter, void*)
{
    m_driver.Detach();
    if (!filter)
        return E_POINTER;
    HRESULT hr = m_driver.Attach(filter);
    if (FAILED(hr))
        return hr;
    DWORD support = 0;
    hr = m_driver.QuerySupported(kPropProbe, &support);
    if (FAILED(hr))
        m_driver.Detach();
    return hr;
}

HRESULT CKsPropertyI2CEx::SendBusControl(BYTE value)
{
    return m_driver.SendBusControl(value);
}

HRESULT CKsPropertyI2CEx::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckByteRead(subAddress, value);
    return FAILED(hr) ? hr : m_driver.ReadByte(address, subAddress, value);
}

HRESULT CKsPropertyI2CEx::WriteByte(BYTE address, int subAddress, BYTE value)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckSubAddress(subAddress);
    return FAILED(hr) ? hr : m_driver.WriteByte(address, subAddress, value);
}

HRESULT CKsPropertyI2CEx::Read(BYTE* buffer, int length)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckReadBlock(buffer, length);
    return FAILED(hr) ? hr : m_driver.ReadBlock(buffer, length);
}

HRESULT CKsPropertyI2CEx::Write(BYTE* buffer, int length)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckWriteBlock(buffer, length);
    return FAILED(hr) ? hr : m_driver.WriteBlock(buffer, length);
}

HRESULT CKsPropertyI2CEx::SendDeviceControl(BYTE value)
{
    return m_driver.SendDeviceControl(value);
}

HRESULT CKsPropertyI2CEx::ReadGpio(DWORD* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckOut(value);
    return FAILED(hr) ? hr : m_driver.GetGpio(kGpioReadMask, value);
}

HRESULT CKsPropertyI2CEx::WriteGpio(DWORD value, DWORD mask)
{
    CAutoCritLock lock(&m_lock);
    HRESULT hr = m_driver.SetGpio(value, mask);
    if (SUCCEEDED(hr))
        Sleep(kGpioSettleMs);
    return hr;
}

HRESULT CKsPropertyI2CEx::ReadIdWords(DWORD* first, DWORD* second)
{
    if (!m_driver.IsAttached())
        return E_FAIL;
    HRESULT hr = CheckOut(first);
    if (SUCCEEDED(hr))
        hr = CheckOut(second);
    DWORD words = 0;
    if (SUCCEEDED(hr))
        hr = m_driver.ReadIdWords(&words);
    if (SUCCEEDED(hr)) {
        *first = LOWORD(words);
        *second = HIWORD(words);
    }
    return hr;
}
