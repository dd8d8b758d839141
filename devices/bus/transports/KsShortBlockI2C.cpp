#include "KsShortBlockI2C.h"

#include "AutoCritLock.h"
#include "KsPropertyRequest.h"
#include "TransportSets.h"

#include <string.h>

namespace
{
const DWORD kTunnelProperty = 0;
const DWORD kBufferBytes = 48;
const DWORD kRequestOffset = 24;
const DWORD kLengthOffset = 44;

const BYTE kVendorIn = 0xC0;
const BYTE kVendorOut = 0x40;
const BYTE kRequestI2CByte = 16;
const BYTE kRequestI2CRead = 9;
const BYTE kRequestRegister = 7;
const BYTE kRequestGpio = 3;

const int kMinWrite = 3;
const int kMaxWrite = 12;
const DWORD kWriteSettleMs = 5;
const DWORD kLastLine = 7;

void PutSet(CKsPropertyRequest& request)
{
    request.PutBytes(0, (const BYTE*)&kUsbTunnelSet, sizeof(GUID));
}
}

CKsShortBlockI2C::CKsShortBlockI2C()
{
}

CKsShortBlockI2C::~CKsShortBlockI2C()
{
}

HRESULT CKsShortBlockI2C::Attach(IUnknown* filter, void*)
{
    CAutoCritLock lock(&m_lock);
    m_driver.Reset();
    if (!filter)
        return E_POINTER;
    return filter->QueryInterface(IID_IKsPropertySet, m_driver.ReceiveVoid());
}

HRESULT CKsShortBlockI2C::Transfer(const BYTE* request, int length, BYTE* reply, int replySize)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver)
        return E_FAIL;
    if (length < kHeaderBytes || length > kMaxRequestBytes)
        return E_INVALIDARG;
    CKsPropertyRequest out(kUsbTunnelSet, kTunnelProperty, kBufferBytes);
    PutSet(out);
    out.PutBytes(kRequestOffset, request, length);
    out.PutByte(kLengthOffset, (BYTE)length);
    HRESULT hr = out.Set(m_driver.Get());
    if (FAILED(hr))
        return hr;
    CKsPropertyRequest in(kUsbTunnelSet, kTunnelProperty, kBufferBytes);
    PutSet(in);
    hr = in.Get(m_driver.Get());
    if (FAILED(hr))
        return hr;
    // The reply says how long it is; never more than its buffer or the caller's holds.
    int returned = in.GetByte(kLengthOffset);
    if (returned > kMaxRequestBytes)
        returned = kMaxRequestBytes;
    if (reply)
        in.GetBytes(kRequestOffset, reply, returned < replySize ? returned : replySize);
    return hr;
}

HRESULT CKsShortBlockI2C::Control(BYTE type, BYTE request, BYTE valueLow, BYTE valueHigh, BYTE indexLow,
                                  BYTE dataLength, BYTE* reply)
{
    BYTE header[kHeaderBytes] = {type, request, valueLow, valueHigh, indexLow, 0, dataLength, 0};
    return Transfer(header, kHeaderBytes, reply, reply ? 1 : 0);
}

HRESULT CKsShortBlockI2C::SendBusControl(BYTE)
{
    return S_OK;
}

HRESULT CKsShortBlockI2C::SendDeviceControl(BYTE)
{
    return S_OK;
}

HRESULT CKsShortBlockI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    HRESULT hr = CheckByteRead(subAddress, value);
    if (FAILED(hr))
        return hr;
    BYTE reply = 0;
    hr = Control(kVendorIn, kRequestI2CByte, address & 0xFE, (BYTE)subAddress, 0, 1, &reply);
    if (SUCCEEDED(hr))
        *value = reply;
    return hr;
}

HRESULT CKsShortBlockI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    HRESULT hr = CheckSubAddress(subAddress);
    return FAILED(hr) ? hr : Control(kVendorOut, kRequestI2CByte, address, (BYTE)subAddress, value, 0, NULL);
}

HRESULT CKsShortBlockI2C::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length != 1)
        return E_INVALIDARG;
    BYTE reply = 0;
    HRESULT hr = Control(kVendorIn, kRequestI2CRead, buffer[0] & 0xFE, 0, 0, 1, &reply);
    if (SUCCEEDED(hr))
        buffer[0] = reply;
    return hr;
}

HRESULT CKsShortBlockI2C::Write(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kMinWrite || length > kMaxWrite)
        return E_INVALIDARG;
    BYTE request[kMaxRequestBytes] = {kVendorOut, kRequestI2CByte, buffer[0], buffer[1], 0, 0, (BYTE)(length - 2), 0};
    memcpy(request + kHeaderBytes, buffer + 2, length - 2);
    HRESULT hr = Transfer(request, kHeaderBytes + length - 2, NULL, 0);
    Sleep(kWriteSettleMs);
    return hr;
}

HRESULT CKsShortBlockI2C::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CKsShortBlockI2C::WriteGpio(DWORD value, DWORD mask)
{
    if (mask > kLastLine)
        return E_INVALIDARG;
    // Lines 0-3 are ports 1-4 of group 1; lines 4-7 are ports 0, 1, 4 and 5 of group 3.
    static const BYTE kHighPorts[] = {0, 1, 4, 5};
    BYTE port = mask < 4 ? (BYTE)(mask + 1) : kHighPorts[mask - 4];
    BYTE group = mask < 4 ? 1 : 3;
    return Control(kVendorOut, kRequestGpio, port, group, value != 0, 0, NULL);
}

HRESULT CKsShortBlockI2C::SetControlLine(int state)
{
    return WriteGpio(state == 0, 0);
}

HRESULT CKsShortBlockI2C::WriteRegByte(BYTE reg, BYTE value)
{
    return Control(kVendorOut, kRequestRegister, reg, 0, value, 0, NULL);
}

HRESULT CKsShortBlockI2C::ReadRegByte(DWORD reg, BYTE* value)
{
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    BYTE reply = 0;
    hr = Control(kVendorIn, kRequestRegister, (BYTE)reg, 0, 0, 1, &reply);
    if (SUCCEEDED(hr))
        *value = reply;
    return hr;
}

HRESULT CKsShortBlockI2C2::SetControlLine(int state)
{
    HRESULT hr = S_OK;
    for (int i = 0; i < 3; ++i)
        hr = WriteGpio(state != 0, 1);
    return hr;
}

HRESULT CKsShortBlockI2C2::SetControlLine2(int state)
{
    return WriteGpio(state != 0, 0);
}
