#include "KsPortI2C.h"

#include "AutoCritLock.h"

#include <string.h>

namespace
{
const BYTE kVendorIn = 0xC0;
const BYTE kVendorOut = 0x40;
const BYTE kRequestI2CByte = 16;
const BYTE kRequestI2CRead = 9;
const BYTE kRequestIndexed = 14;
const BYTE kRequestIndexed2 = 12;
const BYTE kRequestPortRegister = 5;
const BYTE kByteAccessRange = 0xA0;
const BYTE kTunerAddress = 0xC0;
const DWORD kPieceSettleMs = 2;
}

HRESULT CKsPortI2C::ReadIndexed(BYTE request, BYTE address, BYTE subAddress, BYTE* value)
{
    if (!(address & kByteAccessRange))
        return E_INVALIDARG;
    BYTE header[kHeaderBytes] = {kVendorIn, request, address, 0, subAddress, 0, 1, 0};
    BYTE reply = 0;
    HRESULT hr = Transfer(header, kHeaderBytes, &reply, 1);
    if (SUCCEEDED(hr))
        *value = reply;
    return hr;
}

HRESULT CKsPortI2C::WriteIndexed(BYTE request, BYTE address, BYTE subAddress, BYTE value)
{
    if (!(address & kByteAccessRange))
        return E_INVALIDARG;
    BYTE header[kHeaderBytes + 1] = {kVendorOut, request, address, 0, subAddress, 0, 1, 0, value};
    return Transfer(header, sizeof(header), NULL, 0);
}

HRESULT CKsPortI2C::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    HRESULT hr = CheckByteRead(subAddress, value);
    return FAILED(hr) ? hr : ReadIndexed(kRequestIndexed, address, (BYTE)subAddress, value);
}

HRESULT CKsPortI2C::WriteByte(BYTE address, int subAddress, BYTE value)
{
    HRESULT hr = CheckSubAddress(subAddress);
    return FAILED(hr) ? hr : WriteIndexed(kRequestIndexed, address, (BYTE)subAddress, value);
}

HRESULT CKsPortI2C::ReadByte12(BYTE address, BYTE subAddress, BYTE* value)
{
    HRESULT hr = CheckOut(value);
    return FAILED(hr) ? hr : ReadIndexed(kRequestIndexed2, address, subAddress, value);
}

HRESULT CKsPortI2C::WriteByte12(BYTE address, BYTE subAddress, BYTE value)
{
    return WriteIndexed(kRequestIndexed2, address, subAddress, value);
}

HRESULT CKsPortI2C::ReadPortRegister(BYTE reg, BYTE* value)
{
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    BYTE header[kHeaderBytes] = {kVendorIn, kRequestPortRegister, reg, 0, 0, 0, 1, 0};
    BYTE reply = 0;
    hr = Transfer(header, kHeaderBytes, &reply, 1);
    if (SUCCEEDED(hr))
        *value = reply;
    return hr;
}

HRESULT CKsPortI2C::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1 || length > kPieceBytes || (buffer[0] & 0xFE) == kTunerAddress)
        return E_INVALIDARG;
    BYTE header[kHeaderBytes] = {kVendorIn, kRequestI2CRead, (BYTE)(buffer[0] & 0xFE), 0, 0, 0, (BYTE)length, 0};
    return Transfer(header, kHeaderBytes, buffer, length);
}

HRESULT CKsPortI2C::WritePiece(BYTE address, BYTE subAddress, const BYTE* data, int count)
{
    BYTE request[kHeaderBytes + kPieceBytes] = {kVendorOut, kRequestI2CByte, address, subAddress, 0, 0, (BYTE)count, 0};
    memcpy(request + kHeaderBytes, data, count);
    return Transfer(request, kHeaderBytes + count, NULL, 0);
}

HRESULT CKsPortI2C::Write(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kMinWriteLength || length > kMaxBlockLength)
        return E_INVALIDARG;
    CAutoCritLock lock(&m_lock);
    int data = length - 2;
    if (length < kLongWrite)
        return WritePiece(buffer[0], buffer[1], buffer + 2, data);
    // Every piece goes to the same sub-address; the device advances within it.
    int offset = 2;
    for (int i = 0; i < data / kPieceBytes; ++i, offset += kPieceBytes) {
        HRESULT hr = WritePiece(buffer[0], buffer[1], buffer + offset, kPieceBytes);
        if (FAILED(hr))
            return hr;
        Sleep(kPieceSettleMs);
    }
    return data % kPieceBytes ? WritePiece(buffer[0], buffer[1], buffer + offset, data % kPieceBytes) : S_OK;
}
