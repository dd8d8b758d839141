#include "KsI2CPropertySet.h"

#include "I2CAccess.h"
#include "KsPropertyRequest.h"

namespace
{
// Property ids of the set.
enum {
    kPropIdWords = 0,
    kPropBusControl = 1,
    kPropByte = 2,
    kPropDeviceControl = 3,
    kPropGpio = 4,
    kPropRegister = 5,
    kPropBlock = 6
};

// Request sizes, header room included.
enum {
    kShortRequest = 48,      // ids 0, 1, 3, 4, 5, 7, 8, 10
    kByteRequest = 56,       // id 2
    kBlockRequest = 304,     // id 6
    kEmptyRequest = 40       // id 9
};

// Payload offsets from the start of the buffer.
enum {
    kAtArgument = 24,        // byte or DWORD: value, address, register, GPIO mask, id words
    kAtSecond = 28,          // DWORD: sub-address, register value, GPIO value
    kAtByteValue = 32,       // byte of property 2
    kAtBlock = 24,           // property 6: up to 256 bytes, address byte first
    kAtBlockLength = 280     // property 6: DWORD block length
};
}

CKsI2CPropertySet::CKsI2CPropertySet(const GUID& set)
    : m_set(set)
{
}

HRESULT CKsI2CPropertySet::Attach(IUnknown* filter)
{
    m_driver.Reset();
    return filter->QueryInterface(IID_IKsPropertySet, m_driver.ReceiveVoid());
}

void CKsI2CPropertySet::Detach()
{
    m_driver.Reset();
}

HRESULT CKsI2CPropertySet::QuerySupported(DWORD id, DWORD* support)
{
    if (!m_driver)
        return E_FAIL;
    return m_driver->QuerySupported(m_set, id, support);
}

HRESULT CKsI2CPropertySet::ReadIdWords(DWORD* words)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, kPropIdWords, kShortRequest);
    HRESULT hr = request.Get(m_driver.Get());
    if (SUCCEEDED(hr))
        *words = request.GetDword(kAtArgument);
    return hr;
}

HRESULT CKsI2CPropertySet::SendBusControl(BYTE value)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, kPropBusControl, kShortRequest);
    request.PutByte(kAtArgument, value);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, kPropByte, kByteRequest);
    request.PutByte(kAtArgument, address);
    request.PutDword(kAtSecond, (DWORD)subAddress);
    HRESULT hr = request.Get(m_driver.Get());
    if (SUCCEEDED(hr))
        *value = request.GetByte(kAtByteValue);
    return hr;
}

HRESULT CKsI2CPropertySet::WriteByte(BYTE address, int subAddress, BYTE value)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, kPropByte, kByteRequest);
    request.PutByte(kAtArgument, address);
    request.PutDword(kAtSecond, (DWORD)subAddress);
    request.PutByte(kAtByteValue, value);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::SendDeviceControl(BYTE value)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, kPropDeviceControl, kShortRequest);
    request.PutByte(kAtArgument, value);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::GetGpio(DWORD mask, DWORD* value)
{
    return GetWordPair(kPropGpio, mask, value);
}

HRESULT CKsI2CPropertySet::SetGpio(DWORD value, DWORD mask)
{
    return SetWordPair(kPropGpio, mask, value);
}

HRESULT CKsI2CPropertySet::GetRegister(DWORD reg, DWORD* value)
{
    return GetWordPair(kPropRegister, reg, value);
}

HRESULT CKsI2CPropertySet::SetRegister(DWORD reg, DWORD value)
{
    return SetWordPair(kPropRegister, reg, value);
}

// The GPIO and register properties share one form: the first word names what is read or
// written (a mask, a register), the second carries the value.
HRESULT CKsI2CPropertySet::GetWordPair(DWORD id, DWORD first, DWORD* second)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, id, kShortRequest);
    request.PutDword(kAtArgument, first);
    HRESULT hr = request.Get(m_driver.Get());
    if (SUCCEEDED(hr))
        *second = request.GetDword(kAtSecond);
    return hr;
}

HRESULT CKsI2CPropertySet::SetWordPair(DWORD id, DWORD first, DWORD second)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, id, kShortRequest);
    request.PutDword(kAtArgument, first);
    request.PutDword(kAtSecond, second);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::ReadBlock(BYTE* buffer, int length)
{
    if (!m_driver)
        return E_FAIL;
    // The request holds one block: never copy past it, whatever the caller checked.
    if (length < 1 || length > CI2CAccess::kMaxBlockLength)
        return E_INVALIDARG;
    buffer[0] |= 1;
    CKsPropertyRequest request(m_set, kPropBlock, kBlockRequest);
    request.PutBytes(kAtBlock, buffer, (DWORD)length);
    request.PutDword(kAtBlockLength, (DWORD)length);
    HRESULT hr = request.Get(m_driver.Get());
    if (SUCCEEDED(hr))
        request.GetBytes(kAtBlock, buffer, (DWORD)length);
    return hr;
}

HRESULT CKsI2CPropertySet::WriteBlock(BYTE* buffer, int length)
{
    if (!m_driver)
        return E_FAIL;
    // The request holds one block: never copy past it, whatever the caller checked.
    if (length < 1 || length > CI2CAccess::kMaxBlockLength)
        return E_INVALIDARG;
    buffer[0] &= (BYTE)~1;
    CKsPropertyRequest request(m_set, kPropBlock, kBlockRequest);
    request.PutBytes(kAtBlock, buffer, (DWORD)length);
    request.PutDword(kAtBlockLength, (DWORD)length);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::SendDword(DWORD id, DWORD value)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, id, kShortRequest);
    request.PutDword(kAtArgument, value);
    return request.Set(m_driver.Get());
}

HRESULT CKsI2CPropertySet::SendEmpty(DWORD id)
{
    if (!m_driver)
        return E_FAIL;
    CKsPropertyRequest request(m_set, id, kEmptyRequest);
    return request.Set(m_driver.Get());
}
