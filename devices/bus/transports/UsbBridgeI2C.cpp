#include "UsbBridgeI2C.h"

#include "AutoCritLock.h"

#include <string.h>

namespace
{
const int kLastScanAddress = 254;
}

CUsbBridgeI2C::CUsbBridgeI2C()
    : m_open(FALSE)
{
}

CUsbBridgeI2C::~CUsbBridgeI2C()
{
    m_library.Close();
}

HRESULT CUsbBridgeI2C::Attach(IUnknown*, void* context)
{
    const char* name = (const char*)context;
    if (!name || !*name)
        return E_INVALIDARG;
    {
        CAutoCritLock lock(&m_lock);
        m_name = name;
    }
    SendBusControl(1);
    CAutoCritLock lock(&m_lock);
    return Result(m_open);
}

HRESULT CUsbBridgeI2C::SendBusControl(BYTE value)
{
    CAutoCritLock lock(&m_lock);
    if (value) {
        if (!m_open && !m_name.empty())
            m_open = m_library.Open(m_name.c_str());
    } else {
        m_library.Close();
        m_open = FALSE;
    }
    return S_OK;
}

HRESULT CUsbBridgeI2C::SendDeviceControl(BYTE value)
{
    return SendBusControl(value);
}

HRESULT CUsbBridgeI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    HRESULT hr = CheckByteRead(subAddress, value);
    if (FAILED(hr))
        return hr;
    BYTE read = 0;
    if (!m_library.I2CReadSubOk(address, (BYTE)subAddress, 1, &read))
        return E_FAIL;
    *value = read;
    return S_OK;
}

HRESULT CUsbBridgeI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    HRESULT hr = CheckSubAddress(subAddress);
    if (FAILED(hr))
        return hr;
    return Result(m_library.I2CWriteSubOk(address, (BYTE)subAddress, 1, &value));
}

HRESULT CUsbBridgeI2C::Read(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    // The box counts a transfer in one byte.
    if (!buffer || length < kMinReadLength || length > 255)
        return E_INVALIDARG;
    std::vector<BYTE> read(length);
    if (!m_library.I2CReadOk(buffer[0], (BYTE)length, read.data()))
        return E_FAIL;
    memcpy(buffer, read.data(), length);
    return S_OK;
}

HRESULT CUsbBridgeI2C::Write(BYTE* buffer, int length)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    if (!buffer || length < kMinWriteLength || length > 256)
        return E_INVALIDARG;
    return Result(m_library.I2CWriteOk(buffer[0], (BYTE)(length - 1), buffer + 1));
}

HRESULT CUsbBridgeI2C::ReadGpio(DWORD* value)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    BYTE read = 0;
    if (!m_library.ReadGpioOk(&read))
        return E_FAIL;
    *value = read;
    return S_OK;
}

HRESULT CUsbBridgeI2C::WriteGpio(DWORD value, DWORD)
{
    CAutoCritLock lock(&m_lock);
    if (!m_open)
        return E_FAIL;
    BYTE outputs = (BYTE)value;
    return Result(m_library.WriteGpioOk(&outputs));
}

int CUsbBridgeI2C::ScanBus(std::vector<BYTE>* found, int lastAddress, int mask)
{
    CAutoCritLock lock(&m_lock);
    int count = 0;
    for (int address = 0; address <= lastAddress && address <= kLastScanAddress; ++address) {
        BYTE byte = (BYTE)address;
        if (Read(&byte, 1) == S_OK && (byte & mask)) {
            if (found)
                found->push_back((BYTE)address);
            ++count;
        }
    }
    return count;
}
