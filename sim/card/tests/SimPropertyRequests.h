#pragma once

#include <windows.h>

#include <vector>

// Requests of the card's private property set laid out as the host's GPIO-lock transport
// builds them: one buffer, room for the property header in bytes 0-23, payload from 24.
// Addresses are in the host's 8-bit form. Send reaches the card directly or through a
// filter's IKsPropertySet.
class SimPropertyRequests
{
public:
    virtual ~SimPropertyRequests() {}

    HRESULT ReadIdWords(DWORD* words);
    HRESULT ReadByte(BYTE address, DWORD sub, BYTE* value);
    HRESULT WriteByte(BYTE address, DWORD sub, BYTE value);
    // bytes[0] is the address; n = bytes.size() as the transport sends it.
    HRESULT Write(const std::vector<BYTE>& bytes);
    HRESULT Read(BYTE address, DWORD n, std::vector<BYTE>* bytes);
    HRESULT ReadGpio(DWORD mask, DWORD* value);
    HRESULT WriteGpio(DWORD mask, DWORD value);
    HRESULT GetRegister(DWORD reg, DWORD* value);
    HRESULT SetRegister(DWORD reg, DWORD value);
    HRESULT BusControl(DWORD id, BYTE value);
    // One-byte status read at a read address, as the tuner models do it.
    BYTE Status(BYTE address);

    DWORD lastReturned = 0;

protected:
    virtual HRESULT Send(bool get, DWORD id, BYTE* buffer, DWORD size, DWORD* returned) = 0;

private:
    HRESULT Call(bool get, DWORD id, std::vector<BYTE>& buffer);
};
