#include "CSimCard.h"

#include "CSimText.h"

#include <string.h>

// The GO7007 box's register interface: register and block transfers and the register-write
// command, all onto the card's bus. Devices come in the product's 8-bit form.
namespace
{
// 7-bit address of the box's status device, and what its status register reads: the one
// bit the product looks at, set.
const BYTE STATUS_DEVICE = 0x20;
const BYTE STATUS_REGISTER = 31;
const BYTE STATUS_VALUE = 0x20;
const DWORD COMMAND_WRITE_REGISTER = 2;

// The sub-address bytes of a transfer, most significant first, by width in bits.
DWORD SubAddressBytes(DWORD width, DWORD sub, BYTE* out)
{
    if (width == 16) {
        out[0] = (BYTE)(sub >> 8);
        out[1] = (BYTE)sub;
        return 2;
    }
    if (width == 8) {
        out[0] = (BYTE)sub;
        return 1;
    }
    return 0;
}
}

HRESULT CSimCard::GoRegisterRead(DWORD device, DWORD width, DWORD sub, BYTE* value)
{
    if (value == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    BYTE bus = (BYTE)(device >> 1);
    if (bus == STATUS_DEVICE) {
        *value = sub == STATUS_REGISTER ? STATUS_VALUE : 0;
        Trace(1, "G7 status [%02lX] -> %02X", sub, *value);
        return S_OK;
    }
    BYTE address[2];
    DWORD length = SubAddressBytes(width, sub, address);
    if (length > 0) {
        HRESULT hr = BusWrite(bus, address, length);
        if (FAILED(hr))
            return hr;
    }
    return BusRead(bus, value, 1);
}

HRESULT CSimCard::GoRegisterWrite(DWORD device, DWORD width, DWORD sub, DWORD data)
{
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    BYTE bytes[3];
    DWORD length = SubAddressBytes(width, sub, bytes);
    bytes[length++] = (BYTE)data;
    return BusWrite((BYTE)(device >> 1), bytes, length);
}

HRESULT CSimCard::GoBlockWrite(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* data)
{
    if (count > 0 && data == NULL)
        return E_POINTER;
    if (count > 256)
        return E_INVALIDARG;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    BYTE bytes[2 + 256];
    DWORD length = SubAddressBytes(width, sub, bytes);
    if (count > 0)
        memcpy(bytes + length, data, count);
    return BusWrite((BYTE)(device >> 1), bytes, length + count);
}

HRESULT CSimCard::GoCommand(DWORD code, const BYTE* request, DWORD count, const DWORD* value)
{
    if (request == NULL || value == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(1, "G7 command %lu %02X %02X count=%lu value=%lX", code, request[0], request[1], count, *value);
    if (code != COMMAND_WRITE_REGISTER || count != 1)
        return E_NOTIMPL;
    BYTE bytes[2] = {request[1], (BYTE)*value};
    return BusWrite((BYTE)(request[0] >> 1), bytes, 2);
}
