#include "SimPropertyRequests.h"

#include <string.h>

namespace
{
void Put(std::vector<BYTE>& b, size_t offset, DWORD v)
{
    memcpy(&b[offset], &v, 4);
}

DWORD Get(const std::vector<BYTE>& b, size_t offset)
{
    DWORD v;
    memcpy(&v, &b[offset], 4);
    return v;
}
}

HRESULT SimPropertyRequests::Call(bool get, DWORD id, std::vector<BYTE>& buffer)
{
    lastReturned = 0;
    return Send(get, id, buffer.data(), (DWORD)buffer.size(), &lastReturned);
}

HRESULT SimPropertyRequests::ReadIdWords(DWORD* words)
{
    std::vector<BYTE> b(48);
    HRESULT hr = Call(true, 0, b);
    *words = Get(b, 24);
    return hr;
}

HRESULT SimPropertyRequests::ReadByte(BYTE address, DWORD sub, BYTE* value)
{
    std::vector<BYTE> b(56);
    b[24] = address;
    Put(b, 28, sub);
    HRESULT hr = Call(true, 2, b);
    *value = b[32];
    return hr;
}

HRESULT SimPropertyRequests::WriteByte(BYTE address, DWORD sub, BYTE value)
{
    std::vector<BYTE> b(56);
    b[24] = address;
    Put(b, 28, sub);
    b[32] = value;
    return Call(false, 2, b);
}

HRESULT SimPropertyRequests::Write(const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> b(304);
    memcpy(&b[24], bytes.data(), bytes.size());
    b[24] &= 0xFE;
    Put(b, 280, (DWORD)bytes.size());
    return Call(false, 6, b);
}

HRESULT SimPropertyRequests::Read(BYTE address, DWORD n, std::vector<BYTE>* bytes)
{
    std::vector<BYTE> b(304);
    b[24] = address | 1;
    Put(b, 280, n);
    HRESULT hr = Call(true, 6, b);
    bytes->assign(b.begin() + 24, b.begin() + 24 + (n <= 256 ? n : 0));
    return hr;
}

HRESULT SimPropertyRequests::ReadGpio(DWORD mask, DWORD* value)
{
    std::vector<BYTE> b(48);
    Put(b, 24, mask);
    HRESULT hr = Call(true, 4, b);
    *value = Get(b, 28);
    return hr;
}

HRESULT SimPropertyRequests::WriteGpio(DWORD mask, DWORD value)
{
    std::vector<BYTE> b(48);
    Put(b, 24, mask);
    Put(b, 28, value);
    return Call(false, 4, b);
}

HRESULT SimPropertyRequests::GetRegister(DWORD reg, DWORD* value)
{
    std::vector<BYTE> b(48);
    Put(b, 24, reg);
    HRESULT hr = Call(true, 5, b);
    *value = Get(b, 28);
    return hr;
}

HRESULT SimPropertyRequests::SetRegister(DWORD reg, DWORD value)
{
    std::vector<BYTE> b(48);
    Put(b, 24, reg);
    Put(b, 28, value);
    return Call(false, 5, b);
}

HRESULT SimPropertyRequests::BusControl(DWORD id, BYTE value)
{
    std::vector<BYTE> b(48);
    b[24] = value;
    return Call(false, id, b);
}

BYTE SimPropertyRequests::Status(BYTE address)
{
    std::vector<BYTE> bytes;
    if (FAILED(Read(address, 1, &bytes)))
        return 0xEE;
    return bytes[0];
}
