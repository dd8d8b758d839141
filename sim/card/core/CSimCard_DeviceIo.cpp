#include "CSimCard.h"

#include <string.h>

// The device-I/O family's driver. Requests:
//   read:  [tuner read address (0xC3 or 0xC9), 1, count]: count bytes from the tuner into the reply;
//          [address, n, -, sub (n bytes)]: the sub-address written, one byte read, reply [0, value].
//   write: [address, n, n bytes]: written to the device as they stand.
//   GPIO:  [line (3 or 4), level].
namespace
{
const BYTE FIRST_TUNER_READ = 0xC3;
const BYTE SECOND_TUNER_READ = 0xC9;
const DWORD READ_REQUEST = 253;
const DWORD WRITE_REQUEST = 252;
const DWORD GPIO_REQUEST = 2;
const BYTE FIRST_LINE = 3;
const DWORD MAX_DATA = 250;

DWORD ErrorOf(HRESULT hr)
{
    return HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : ERROR_GEN_FAILURE;
}
}

DWORD CSimCard::DeviceControl(DWORD code, const BYTE* in, DWORD inSize, BYTE* out, DWORD outSize, DWORD* returned)
{
    if (returned != NULL)
        *returned = 0;
    if (in == NULL)
        return ERROR_INVALID_PARAMETER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return ErrorOf(guard.Result());
    Trace(2, "P ioctl %06lX in=%lu out=%lu", code, inSize, outSize);
    HRESULT hr = S_OK;
    switch (code) {
    case IOCTL_READ: {
        if (inSize < READ_REQUEST || out == NULL)
            return ERROR_INVALID_PARAMETER;
        BYTE device = in[0] >> 1;
        if (in[0] == FIRST_TUNER_READ || in[0] == SECOND_TUNER_READ) {
            DWORD count = in[2];
            if (count == 0 || count > outSize)
                return ERROR_INVALID_PARAMETER;
            hr = BusRead(device, out, count);
            if (SUCCEEDED(hr) && returned != NULL)
                *returned = count;
            break;
        }
        DWORD subBytes = in[1];
        if (subBytes < 1 || subBytes > 2 || outSize < 2)
            return ERROR_INVALID_PARAMETER;
        hr = BusWrite(device, in + 3, subBytes);
        if (SUCCEEDED(hr)) {
            out[0] = 0;
            hr = BusRead(device, out + 1, 1);
        }
        if (SUCCEEDED(hr) && returned != NULL)
            *returned = 2;
        break;
    }
    case IOCTL_WRITE: {
        DWORD count = in[1];
        if (inSize < WRITE_REQUEST || count < 1 || count > MAX_DATA)
            return ERROR_INVALID_PARAMETER;
        hr = BusWrite(in[0] >> 1, in + 2, count);
        break;
    }
    case IOCTL_GPIO: {
        BYTE line = in[0];
        if (inSize < GPIO_REQUEST || (line != FIRST_LINE && line != FIRST_LINE + 1))
            return ERROR_INVALID_PARAMETER;
        m_shared->state.deviceIo.line[line - FIRST_LINE] = in[1];
        Trace(1, "Z gpio line=%u level=%02X", line, in[1]);
        break;
    }
    default:
        return ERROR_INVALID_FUNCTION;
    }
    return SUCCEEDED(hr) ? ERROR_SUCCESS : ErrorOf(hr);
}
