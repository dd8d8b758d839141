#include "KsPropertyI2C16.h"

#include "AutoCritLock.h"
#include "TransportSets.h"

#include <string.h>

namespace
{
const DWORD kByteRead = 0;
const DWORD kByteWrite = 1;
const DWORD kBlockRead = 3;
const DWORD kBlockWrite = 4;
const DWORD kRegisterRead = 5;
const DWORD kRegisterWrite = 6;
const DWORD kControl = 0;
const DWORD kByteBytes = 19;
const DWORD kBlockBytes = 264;
const DWORD kBlockData = 8;
const DWORD kRegisterBytes = 8;
const DWORD kControlBytes = 4;

const BYTE kEepromRange = 0xA0;
const BYTE kSplitDevice = 0xBA;
const BYTE kSplitSubLow = 0xAA;
const BYTE kSplitSubHigh = 0xAB;

const DWORD kGpioDirLow = 0xC7008108;
const DWORD kGpioDirHigh = 0xC700810C;
const DWORD kGpioDataLow = 0xC7008100;
const DWORD kGpioDataHigh = 0xC7008104;
const int kResetLine = 1;
const DWORD kResetMs = 20;
const DWORD kPieceSettleMs = 2;
}

CKsPropertyI2C16::CKsPropertyI2C16()
{
}

CKsPropertyI2C16::~CKsPropertyI2C16()
{
}

HRESULT CKsPropertyI2C16::Attach(IUnknown* filter, void*)
{
    CAutoCritLock lock(&m_lock);
    m_driver.Reset();
    if (!filter)
        return E_POINTER;
    return filter->QueryInterface(IID_IKsPropertySet, m_driver.ReceiveVoid());
}

BYTE CKsPropertyI2C16::Bus(BYTE address)
{
    return (address & kEepromRange) == kEepromRange ? 1 : 2;
}

HRESULT CKsPropertyI2C16::Request(const GUID& set, DWORD id, BOOL get, BYTE* data, DWORD size)
{
    CAutoCritLock lock(&m_lock);
    if (!m_driver)
        return E_FAIL;
    DWORD support = 0;
    HRESULT hr = m_driver->QuerySupported(set, id, &support);
    if (FAILED(hr))
        return hr;
    if (!(support & (get ? KSPROPERTY_SUPPORT_GET : KSPROPERTY_SUPPORT_SET)))
        return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    DWORD returned = 0;
    return get ? m_driver->Get(set, id, NULL, 0, data, size, &returned) : m_driver->Set(set, id, NULL, 0, data, size);
}

HRESULT CKsPropertyI2C16::SendBusControl(BYTE value)
{
    BYTE data[kControlBytes] = {value};
    return Request(kBus16ControlSet, kControl, FALSE, data, sizeof(data));
}

HRESULT CKsPropertyI2C16::SendDeviceControl(BYTE value)
{
    BYTE data[kControlBytes] = {value};
    return Request(kBus16DeviceSet, kControl, FALSE, data, sizeof(data));
}

HRESULT CKsPropertyI2C16::Block(BOOL read, BYTE address, const BYTE* data, int count, BYTE* reply)
{
    BYTE block[kBlockBytes] = {Bus(address), (BYTE)(read ? address | 1 : address & 0xFE), LOBYTE(count), HIBYTE(count)};
    if (!read && count)
        memcpy(block + kBlockData, data, count);
    HRESULT hr = Request(kBus16Set, read ? kBlockRead : kBlockWrite, read, block, sizeof(block));
    if (SUCCEEDED(hr) && read)
        memcpy(reply, block + kBlockData, count);
    return hr;
}

HRESULT CKsPropertyI2C16::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    HRESULT hr = CheckByteRead(subAddress, value);
    if (FAILED(hr))
        return hr;
    // This device takes its sub-address and its data in two separate transfers.
    if (address == kSplitDevice && (subAddress == kSplitSubLow || subAddress == kSplitSubHigh)) {
        BYTE sub = (BYTE)subAddress;
        hr = Block(FALSE, address, &sub, 1, NULL);
        return FAILED(hr) ? hr : Block(TRUE, address, NULL, 1, value);
    }
    BYTE data[kByteBytes] = {Bus(address), address, (BYTE)subAddress};
    hr = Request(kBus16Set, kByteRead, TRUE, data, sizeof(data));
    if (SUCCEEDED(hr))
        *value = data[3];
    return hr;
}

HRESULT CKsPropertyI2C16::WriteByte(BYTE address, int subAddress, BYTE value)
{
    HRESULT hr = CheckSubAddress(subAddress);
    if (FAILED(hr))
        return hr;
    BYTE data[kByteBytes] = {Bus(address), address, (BYTE)subAddress, value};
    return Request(kBus16Set, kByteWrite, FALSE, data, sizeof(data));
}

HRESULT CKsPropertyI2C16::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kMinReadLength || length > kMaxRead)
        return E_INVALIDARG;
    HRESULT hr = Block(FALSE, buffer[0], NULL, 0, NULL);
    if (FAILED(hr))
        return hr;
    Sleep(kPieceSettleMs);
    return Block(TRUE, buffer[0], NULL, length, buffer);
}

HRESULT CKsPropertyI2C16::Write(BYTE* buffer, int length)
{
    HRESULT hr = CheckWriteBlock(buffer, length);
    if (FAILED(hr))
        return hr;
    CAutoCritLock lock(&m_lock);
    if (length < kLongWrite)
        return Block(FALSE, buffer[0], buffer + 1, length - 1, NULL);
    int data = length - 2;
    int offset = 2;
    BYTE piece[1 + kPieceBytes];
    piece[0] = buffer[1];
    for (int i = 0; i < data / kPieceBytes; ++i, offset += kPieceBytes) {
        memcpy(piece + 1, buffer + offset, kPieceBytes);
        hr = Block(FALSE, buffer[0], piece, 1 + kPieceBytes, NULL);
        if (FAILED(hr))
            return hr;
        Sleep(kPieceSettleMs);
    }
    if (data % kPieceBytes == 0)
        return S_OK;
    memcpy(piece + 1, buffer + offset, data % kPieceBytes);
    return Block(FALSE, buffer[0], piece, 1 + data % kPieceBytes, NULL);
}

HRESULT CKsPropertyI2C16::ReadRegister(DWORD reg, DWORD* value)
{
    HRESULT hr = CheckOut(value);
    if (FAILED(hr))
        return hr;
    BYTE data[kRegisterBytes] = {};
    memcpy(data, &reg, sizeof(reg));
    hr = Request(kBus16Set, kRegisterRead, TRUE, data, sizeof(data));
    if (SUCCEEDED(hr))
        memcpy(value, data + 4, sizeof(DWORD));
    return hr;
}

HRESULT CKsPropertyI2C16::WriteRegister(DWORD reg, DWORD value)
{
    BYTE data[kRegisterBytes];
    memcpy(data, &reg, sizeof(reg));
    memcpy(data + 4, &value, sizeof(value));
    return Request(kBus16Set, kRegisterWrite, FALSE, data, sizeof(data));
}

HRESULT CKsPropertyI2C16::ReadGpio(DWORD* value)
{
    HRESULT hr = CheckOut(value);
    DWORD low = 0, high = 0;
    if (SUCCEEDED(hr))
        hr = ReadRegister(kGpioDataLow, &low);
    if (SUCCEEDED(hr))
        hr = ReadRegister(kGpioDataHigh, &high);
    if (SUCCEEDED(hr))
        *value = (low & 0xFFFF) | (high & 0xFFFF) << 16;
    return hr;
}

HRESULT CKsPropertyI2C16::WriteGpio(DWORD value, DWORD mask)
{
    CAutoCritLock lock(&m_lock);
    // Each register's top half says which of its bottom half's lines the write touches.
    const DWORD writes[][2] = {
        {kGpioDirLow, mask << 16},
        {kGpioDirHigh, mask & 0xFFFF0000},
        {kGpioDataLow, (value & 0xFFFF) | mask << 16},
        {kGpioDataHigh, (value >> 16) | (mask & 0xFFFF0000)},
    };
    for (const auto& w : writes) {
        HRESULT hr = WriteRegister(w[0], w[1]);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CKsPropertyI2C16::SetGpioLine(int bit, int level)
{
    return WriteGpio((DWORD)(level != 0) << bit, 1u << bit);
}

HRESULT CKsPropertyI2C16::SetControlLine(int)
{
    SetGpioLine(kResetLine, 0);
    Sleep(kResetMs);
    HRESULT hr = SetGpioLine(kResetLine, 1);
    Sleep(kResetMs);
    return hr;
}

HRESULT CKsPropertyI2C16::WriteRegByte(BYTE reg, BYTE value)
{
    return WriteRegister(reg, value);
}

HRESULT CKsPropertyI2C16::ReadRegByte(DWORD reg, BYTE* value)
{
    HRESULT hr = CheckOut(value);
    DWORD read = 0;
    if (SUCCEEDED(hr))
        hr = ReadRegister(reg, &read);
    if (SUCCEEDED(hr))
        *value = (BYTE)read;
    return hr;
}
