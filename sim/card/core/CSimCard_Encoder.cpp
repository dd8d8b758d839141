#include "CSimCard.h"

#include "CSimText.h"

#include <string.h>

// The MPEG encoder cards' driver. Property 20 carries a register command: instance data
// {DWORD device (7-bit), BYTE mode, DWORD sub}, property data one DWORD. Device 0x21 is the
// encoder with its own registers (status register 31: busy 0x40, idle while 0x20 is clear);
// every other device is reached on the card's bus, the box's EEPROM address 0x51 being the
// card's EEPROM. Property 25 (Set, one byte) is the control line, property 27 (Get, 20 bytes)
// the firmware version text; every other property keeps what was last set, with the support
// a test gives it. The image set takes property 5 (Set).
namespace
{
const DWORD REGISTER_PROPERTY = 20;
const DWORD CONTROL_LINE_PROPERTY = 25;
const DWORD VERSION_PROPERTY = 27;
const DWORD IMAGE_PROPERTY = 5;
const DWORD REQUEST_BYTES = 9;
const DWORD IMAGE_TRAILER = 12;

const BYTE ENCODER_DEVICE = 0x21;
const BYTE BOX_EEPROM_DEVICE = 0x51;
const BYTE CARD_EEPROM_DEVICE = 0x50;
const DWORD STATUS_REGISTER = 31;
const DWORD STATUS_BUSY = 0x40;
const DWORD STATUS_ACTIVE = 0x20;

// Block writes: 0x21 + 8k carries k + 1 bytes in the data word, 0x07 + 8k carries k + 5 bytes,
// four in the sub word and the rest in the data word; always from the words' low ends.
bool BlockBytes(DWORD mode, DWORD sub, DWORD data, BYTE* bytes, DWORD* count)
{
    DWORD n = 0;
    if (mode >= 0x21 && mode <= 0x39 && (mode & 7) == 1)
        n = ((mode - 0x21) >> 3) + 1;
    else if (mode >= 0x07 && mode <= 0x1F && (mode & 7) == 7)
        n = ((mode - 0x07) >> 3) + 5;
    else
        return false;
    DWORD inData = n <= 4 ? n : n - 4;
    DWORD at = 0;
    if (n > 4) {
        for (int i = 3; i >= 0; --i)
            bytes[at++] = (BYTE)(sub >> (8 * i));
    }
    for (int i = (int)inData - 1; i >= 0; --i)
        bytes[at++] = (BYTE)(data >> (8 * i));
    *count = n;
    return true;
}
}

HRESULT CSimCard::EncoderSupport(int set, DWORD id, DWORD* support)
{
    if (support == NULL)
        return E_POINTER;
    DWORD bits = 0;
    if (set == ENCODER_IMAGE) {
        bits = id == IMAGE_PROPERTY ? SUPPORT_SET : 0;
    } else if (id == REGISTER_PROPERTY) {
        bits = SUPPORT_GET | SUPPORT_SET;
    } else if (id == CONTROL_LINE_PROPERTY) {
        bits = SUPPORT_SET;
    } else if (id == VERSION_PROPERTY) {
        bits = SUPPORT_GET;
    } else if (id < (DWORD)SIM_ENCODER_IDS) {
        Guard guard(*this);
        if (FAILED(guard.Result()))
            return guard.Result();
        bits = (SUPPORT_GET | SUPPORT_SET) & ~m_shared->state.encoder.refused[id];
    }
    if (bits == 0)
        return E_PROP_ID_UNSUPPORTED;
    *support = bits;
    return S_OK;
}

HRESULT CSimCard::EncoderProperty(int set, DWORD id, bool get, const BYTE* instance, DWORD instanceSize, BYTE* data,
                                  DWORD cb, DWORD* returned)
{
    DWORD support = 0;
    HRESULT hr = EncoderSupport(set, id, &support);
    if (FAILED(hr))
        return hr;
    if ((support & (get ? SUPPORT_GET : SUPPORT_SET)) == 0)
        return E_PROP_ID_UNSUPPORTED;
    if (data == NULL)
        return E_POINTER;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    SimEncoderState& e = m_shared->state.encoder;
    if (set == ENCODER_IMAGE) {
        std::string trailer;
        for (DWORD i = cb >= IMAGE_TRAILER ? cb - IMAGE_TRAILER : 0; i < cb; ++i)
            trailer += CSimText::Format(" %02X", data[i]);
        Trace(1, "J image cb=%lu inst=%lu trailer%s", cb, instanceSize, trailer.c_str());
        return S_OK;
    }
    if (id == REGISTER_PROPERTY) {
        if (instance == NULL || instanceSize < REQUEST_BYTES || cb < sizeof(DWORD))
            return E_INVALIDARG;
        DWORD device = 0, sub = 0, value = 0;
        memcpy(&device, instance, sizeof(device));
        memcpy(&sub, instance + 5, sizeof(sub));
        if (!get)
            memcpy(&value, data, sizeof(value));
        hr = EncoderRegister(get, (BYTE)device, instance[4], sub, &value);
        if (SUCCEEDED(hr) && get) {
            memcpy(data, &value, sizeof(value));
            if (returned != NULL)
                *returned = sizeof(value);
        }
        return hr;
    }
    if (id == CONTROL_LINE_PROPERTY) {
        Trace(1, "J line %u", cb > 0 ? data[0] : 0);
        return S_OK;
    }
    if (id == VERSION_PROPERTY) {
        memset(data, 0, cb);
        if (e.versionCount > 0) {
            memcpy(data, e.versions[e.versionNext], cb < (DWORD)SIM_ENCODER_VERSION_TEXT ? cb : SIM_ENCODER_VERSION_TEXT);
            Trace(1, "J version %.20s", e.versions[e.versionNext]);
            if (e.versionNext + 1 < e.versionCount)
                ++e.versionNext;
        }
        if (returned != NULL)
            *returned = cb;
        return S_OK;
    }
    DWORD keep = cb < (DWORD)SIM_ENCODER_VALUE ? cb : SIM_ENCODER_VALUE;
    if (get) {
        memset(data, 0, cb);
        memcpy(data, e.value[id], keep < e.size[id] ? keep : e.size[id]);
        if (returned != NULL)
            *returned = cb;
    } else {
        memcpy(e.value[id], data, keep);
        e.size[id] = keep;
    }
    std::string bytes;
    for (DWORD i = 0; i < keep && i < 8; ++i)
        bytes += CSimText::Format(" %02X", data[i]);
    Trace(1, "J %s %lu cb=%lu%s", get ? "Get" : "Set", id, cb, bytes.c_str());
    return S_OK;
}

DWORD CSimCard::EncoderStatus(DWORD reg)
{
    SimEncoderState& e = m_shared->state.encoder;
    DWORD value = e.regs[reg & 0xFF];
    if (reg != STATUS_REGISTER)
        return value;
    if (e.busyReads > 0) {
        value |= STATUS_BUSY;
        --e.busyReads;
    }
    if (e.activeReads > 0) {
        value |= STATUS_ACTIVE;
        --e.activeReads;
    }
    return value;
}

HRESULT CSimCard::EncoderRegister(bool get, BYTE device, DWORD mode, DWORD sub, DWORD* value)
{
    if (device == BOX_EEPROM_DEVICE)
        device = CARD_EEPROM_DEVICE;
    if (device == ENCODER_DEVICE && (mode == 0 || (get && mode == 1))) {
        if (get) {
            *value = EncoderStatus(sub);
            Trace(2, "J reg %lu -> %08lX", sub, *value);
        } else {
            m_shared->state.encoder.regs[sub & 0xFF] = *value;
            Trace(1, "J reg %lu = %08lX", sub, *value);
        }
        return S_OK;
    }
    BYTE byte = 0;
    HRESULT hr = S_OK;
    if (get) {
        bool pll = device == (BYTE)(m_shared->config.pllAddr >> 1);
        switch (mode) {
        case 1:
        case 3: {
            // The tuner module's status has no register to address.
            BYTE reg = (BYTE)sub;
            if (!(pll && mode == 1))
                hr = BusWrite(device, &reg, 1);
            if (SUCCEEDED(hr))
                hr = BusRead(device, &byte, 1);
            *value = byte;
            return hr;
        }
        case 0x21:
        case 0x38:
            hr = BusRead(device, &byte, 1);
            *value = mode == 0x38 ? (DWORD)byte << 16 : byte;
            return hr;
        }
        Trace(1, "! encoder get mode %02lX", mode);
        return E_INVALIDARG;
    }
    BYTE bytes[8];
    DWORD count = 0;
    switch (mode) {
    case 2:
        bytes[0] = (BYTE)sub;
        bytes[1] = (BYTE)*value;
        return BusWrite(device, bytes, 2);
    case 8:
        bytes[0] = (BYTE)sub;
        bytes[1] = (BYTE)(*value >> 8);
        bytes[2] = (BYTE)*value;
        return BusWrite(device, bytes, 3);
    case 10:
        bytes[0] = (BYTE)(sub >> 8);
        bytes[1] = (BYTE)sub;
        bytes[2] = (BYTE)(*value >> 8);
        bytes[3] = (BYTE)*value;
        return BusWrite(device, bytes, 4);
    }
    if (BlockBytes(mode, sub, *value, bytes, &count))
        return BusWrite(device, bytes, count);
    Trace(1, "! encoder set mode %02lX", mode);
    return E_INVALIDARG;
}

HRESULT CSimCard::EncoderCommand(const std::vector<std::string>& words)
{
    if (words.size() < 3)
        return E_INVALIDARG;
    Guard guard(*this);
    if (FAILED(guard.Result()))
        return guard.Result();
    SimEncoderState& e = m_shared->state.encoder;
    const std::string& what = words[1];
    DWORD number = 0;
    if (CSimText::EqualsNoCase(what, "busy") || CSimText::EqualsNoCase(what, "active")) {
        if (words.size() != 3 || !CSimText::ParseNumber(words[2], &number))
            return E_INVALIDARG;
        (CSimText::EqualsNoCase(what, "busy") ? e.busyReads : e.activeReads) = number;
        return S_OK;
    }
    if (CSimText::EqualsNoCase(what, "version")) {
        if (words.size() - 2 > (size_t)SIM_ENCODER_VERSIONS)
            return E_INVALIDARG;
        memset(e.versions, 0, sizeof(e.versions));
        e.versionCount = (DWORD)words.size() - 2;
        e.versionNext = 0;
        for (DWORD i = 0; i < e.versionCount; ++i)
            strncpy(e.versions[i], words[i + 2].c_str(), SIM_ENCODER_VERSION_TEXT);
        return S_OK;
    }
    if (CSimText::EqualsNoCase(what, "support")) {
        if (words.size() != 4 || !CSimText::ParseNumber(words[2], &number) || number >= (DWORD)SIM_ENCODER_IDS)
            return E_INVALIDARG;
        const std::string& bits = words[3];
        BYTE offered = CSimText::EqualsNoCase(bits, "both") ? SUPPORT_GET | SUPPORT_SET
                     : CSimText::EqualsNoCase(bits, "get")  ? SUPPORT_GET
                     : CSimText::EqualsNoCase(bits, "set")  ? SUPPORT_SET
                     : CSimText::EqualsNoCase(bits, "none") ? 0
                                                            : 0xFF;
        if (offered == 0xFF)
            return E_INVALIDARG;
        e.refused[number] = (BYTE)((SUPPORT_GET | SUPPORT_SET) & ~offered);
        return S_OK;
    }
    return E_INVALIDARG;
}
