#include "EncoderCardControl.h"

#include "AutoCritLock.h"
#include "EncoderCardProperties.h"

#include <string.h>

namespace {

// This device's registers read with the register mode, at the chip's own address.
const DWORD kVideoAliasDevice = 0x20;
const DWORD kControlLineProperty = kEncoderControlLineProperty;

// Block command modes: n of 1 to 4 bytes in the data word, 5 to 8 split over sub and data.
const BYTE kShortBlockModes[] = {0x21, 0x29, 0x31, 0x39};
const BYTE kLongBlockModes[] = {0x07, 0x0F, 0x17, 0x1F};

DWORD BigEndian(const BYTE* bytes, int count)
{
    DWORD value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

} // namespace

CEncoderCardControl::CEncoderCardControl() : m_filter(NULL)
{
    InitializeCriticalSection(&m_commandLock);
}

CEncoderCardControl::~CEncoderCardControl()
{
    if (m_filter)
        m_filter->Release();
    DeleteCriticalSection(&m_commandLock);
}

HRESULT CEncoderCardControl::Attach(IUnknown* filter, void*)
{
    if (!filter)
        return E_INVALIDARG;
    filter->AddRef();
    if (m_filter)
        m_filter->Release();
    m_filter = filter;
    return S_OK;
}

HRESULT CEncoderCardControl::SendBusControl(BYTE value)
{
    return value == 0 || m_filter ? S_OK : E_FAIL;
}

HRESULT CEncoderCardControl::ReadByte(BYTE address, int subAddress, BYTE* value)
{
    if (!value)
        return E_POINTER;
    CAutoCritLock lock(&m_commandLock);
    DWORD device = address >> 1;
    BYTE mode = kModeByteRead;
    if (device == kVideoAliasDevice) {
        device = kEncoderChip;
        mode = kModeRegisterRead;
    }
    DWORD read = 0;
    if (!ReadCardRegister(m_filter, device, mode, (DWORD)subAddress, &read))
        return E_FAIL;
    *value = (BYTE)read;
    return S_OK;
}

HRESULT CEncoderCardControl::WriteByte(BYTE address, int subAddress, BYTE value)
{
    CAutoCritLock lock(&m_commandLock);
    return WriteCardRegister(m_filter, address >> 1, kModeByteWrite, (DWORD)subAddress, value) ? S_OK : E_FAIL;
}

HRESULT CEncoderCardControl::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 1)
        return E_INVALIDARG;
    CAutoCritLock lock(&m_commandLock);
    DWORD read = 0;
    if (!ReadCardRegister(m_filter, buffer[0] >> 1, kModeUnaddressedRead, 0, &read))
        return E_FAIL;
    buffer[0] = (BYTE)read;
    return S_OK;
}

HRESULT CEncoderCardControl::Write(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < kFrameLength)
        return E_INVALIDARG;
    CAutoCritLock lock(&m_commandLock);
    DWORD divider = BigEndian(buffer + 1, 2);
    DWORD controlAndBand = BigEndian(buffer + 3, 2);
    return WriteCardRegister(m_filter, buffer[0] >> 1, kModeTunerWrite, divider, controlAndBand) ? S_OK : E_FAIL;
}

HRESULT CEncoderCardControl::SendDeviceControl(BYTE)
{
    return E_NOTIMPL;
}

HRESULT CEncoderCardControl::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CEncoderCardControl::WriteGpio(DWORD, DWORD)
{
    return E_NOTIMPL;
}

BYTE CEncoderCardControlB::BlockMode(int n)
{
    return n <= 4 ? kShortBlockModes[n - 1] : kLongBlockModes[n - 5];
}

HRESULT CEncoderCardControlB::Read(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    CAutoCritLock lock(&m_commandLock);
    DWORD read = 0;
    if (!ReadCardRegister(Filter(), buffer[0] >> 1, kModeUnaddressedReadHigh, 0, &read))
        return E_FAIL;
    buffer[1] = (BYTE)(read >> 16);
    return S_OK;
}

HRESULT CEncoderCardControlB::Write(BYTE* buffer, int length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 2)
        return S_OK;
    CAutoCritLock lock(&m_commandLock);
    const DWORD device = buffer[0] >> 1;
    const BYTE* data = buffer + 2;
    int left = length - 2;
    BOOL sent = FALSE;
    do {
        int piece = left < kMaxPieceData ? left : kMaxPieceData;
        BYTE bytes[1 + kMaxPieceData] = {buffer[1]};
        memcpy(bytes + 1, data, piece);
        int n = 1 + piece;
        DWORD sub = n <= 4 ? 0 : BigEndian(bytes, 4);
        DWORD word = n <= 4 ? BigEndian(bytes, n) : BigEndian(bytes + 4, n - 4);
        sent = WriteCardRegister(Filter(), device, BlockMode(n), sub, word);
        data += piece;
        left -= piece;
    } while (left > 0);
    return sent ? S_OK : E_FAIL;
}

HRESULT CEncoderCardControlB::SetControlLine(int state)
{
    BYTE line = state ? 1 : 0;
    return SetCardProperty(Filter(), kControlLineProperty, NULL, 0, &line, sizeof(line)) ? 1 : 0;
}
