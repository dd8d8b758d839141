#include "CSimCard.h"

#include <string.h>

// The bridge behind the vendor-request tunnel. A request is an 8-byte control header
// [type, request, value low, value high, index low, index high, length low, length high]
// and, for an OUT request, its data; an IN request's reply is kept for the Get after it.
namespace
{
// Layout of the 48-byte property buffer: set GUID, 0, request from 24, its length at 44.
const DWORD AT_REQUEST = 24;
const DWORD AT_LENGTH = 44;
const DWORD HEADER = 8;
const DWORD MAX_REQUEST = 18;

const BYTE TYPE_IN = 0xC0;
const BYTE TYPE_OUT = 0x40;
const BYTE REQ_GPIO = 3;
const BYTE REQ_PORT_REGISTER = 5;
const BYTE REQ_REGISTER = 7;
const BYTE REQ_I2C_READ = 9;
const BYTE REQ_INDEXED2 = 12;
const BYTE REQ_INDEXED = 14;
const BYTE REQ_I2C = 16;

// The bridge register that reports the tuner: bit 0 clear while it holds a picture. Every
// other register keeps what is written.
const BYTE REG_TUNER_STATUS = 0x3A;
const BYTE TUNER_UNLOCKED = 0x01;

const HRESULT HR_BAD_REQUEST = HRESULT_FROM_WIN32(ERROR_INVALID_FUNCTION);
const HRESULT HR_BAD_LENGTH = HRESULT_FROM_WIN32(ERROR_BAD_LENGTH);

// GPIO ports and groups to line numbers: group 1 ports 1-4 are lines 0-3, group 3 ports
// 0, 1, 4, 5 lines 4-7; -1 for any other.
int GpioLine(BYTE port, BYTE group)
{
    if (group == 1 && port >= 1 && port <= 4)
        return port - 1;
    static const BYTE GROUP3_PORTS[] = { 0, 1, 4, 5 };
    for (int i = 0; group == 3 && i < 4; ++i) {
        if (GROUP3_PORTS[i] == port)
            return 4 + i;
    }
    return -1;
}
}

HRESULT CSimCard::TunnelSet(const BYTE* data, DWORD cb)
{
    if (data == NULL)
        return E_POINTER;
    if (cb < TUNNEL_BUFFER)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P tunnel Set 0 cb=%lu", cb);
    DWORD length = data[AT_LENGTH];
    if (length < HEADER || length > MAX_REQUEST)
        return HR_BAD_LENGTH;
    return TunnelRequest(data + AT_REQUEST, length);
}

HRESULT CSimCard::TunnelGet(BYTE* data, DWORD cb, DWORD* returned)
{
    if (data == NULL)
        return E_POINTER;
    if (cb < TUNNEL_BUFFER)
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    Trace(2, "P tunnel Get 0 cb=%lu", cb);
    SimTunnelState& t = m_shared->state.tunnel;
    memcpy(data + AT_REQUEST, t.reply, t.replyLength);
    data[AT_LENGTH] = (BYTE)t.replyLength;
    if (returned != NULL)
        *returned = TUNNEL_BUFFER;
    return S_OK;
}

HRESULT CSimCard::TunnelRequest(const BYTE* r, DWORD length)
{
    SimTunnelState& t = m_shared->state.tunnel;
    t.replyLength = 0;
    const BYTE* payload = r + HEADER;
    DWORD dataLength = length - HEADER;
    BYTE replyLength = r[6];
    bool in = r[0] == TYPE_IN;
    if (!in && r[0] != TYPE_OUT)
        return HR_BAD_REQUEST;
    if (in && (replyLength == 0 || replyLength > SIM_TUNNEL_REPLY))
        return HR_BAD_LENGTH;
    BYTE device = r[2] >> 1;
    HRESULT hr = S_OK;
    switch (r[1]) {
    case REQ_I2C:
        if (in) {
            // Byte read: the sub-address in the value's high byte.
            hr = BusWrite(device, &r[3], 1);
            if (SUCCEEDED(hr))
                hr = BusRead(device, t.reply, replyLength);
        } else if (replyLength == 0) {
            // Byte write: the value in the index field.
            BYTE write[2] = { r[3], r[4] };
            hr = BusWrite(device, write, 2);
        } else {
            // Block write: sub-address, then the data that follows the header.
            if (dataLength != replyLength)
                return HR_BAD_LENGTH;
            BYTE write[1 + MAX_REQUEST];
            write[0] = r[3];
            memcpy(write + 1, payload, dataLength);
            hr = BusWrite(device, write, 1 + dataLength);
        }
        break;
    case REQ_I2C_READ:
        if (!in)
            return HR_BAD_REQUEST;
        hr = BusRead(device, t.reply, replyLength);
        break;
    case REQ_INDEXED:
    case REQ_INDEXED2:
        if (in) {
            hr = BusWrite(device, &r[4], 1);
            if (SUCCEEDED(hr))
                hr = BusRead(device, t.reply, replyLength);
        } else {
            if (dataLength != 1)
                return HR_BAD_LENGTH;
            BYTE write[2] = { r[4], payload[0] };
            hr = BusWrite(device, write, 2);
        }
        break;
    case REQ_REGISTER:
    case REQ_PORT_REGISTER:
        if (in) {
            t.reply[0] = t.regs[r[2]];
            if (r[2] == REG_TUNER_STATUS)
                t.reply[0] = (BYTE)((t.reply[0] & ~TUNER_UNLOCKED) | (TunerHasPicture() ? 0 : TUNER_UNLOCKED));
            Trace(1, "Q reg %02X -> %02X", r[2], t.reply[0]);
        } else if (r[1] == REQ_REGISTER) {
            t.regs[r[2]] = r[4];
            Trace(1, "Q reg %02X = %02X", r[2], r[4]);
        } else {
            return HR_BAD_REQUEST;
        }
        break;
    case REQ_GPIO: {
        int line = GpioLine(r[2], r[3]);
        if (in || line < 0)
            return HR_BAD_REQUEST;
        if (r[4])
            t.lines |= 1u << line;
        else
            t.lines &= ~(1u << line);
        Trace(1, "Q gpio line=%d level=%d", line, r[4] != 0);
        break;
    }
    default:
        return HR_BAD_REQUEST;
    }
    if (SUCCEEDED(hr) && in)
        t.replyLength = replyLength;
    return hr;
}
