#include "CSimCard.h"

#include "CSimText.h"
#include "CSimTunerProfiles.h"

namespace
{
const HRESULT HR_NACK = HRESULT_FROM_WIN32(ERROR_IO_DEVICE);

// 7-bit bus addresses.
const BYTE EEPROM_DEVICE = 0x50;
const BYTE DEMOD_DEVICE = 0x43;
const DWORD DEMOD_REGISTERS = 3;
const DWORD EEPROM_BYTES = 256;

enum DemodBits {
    DEMOD_IN_RANGE = 0x80,
    DEMOD_TV_NEAR = 0x40,
    DEMOD_FM = 0x20,
    DEMOD_NOTHING = 0x10,       // a = 8: no AFC reading
};
const LONG DEMOD_NEAR_Q = 1000 * SIM_Q_PER_KHZ;
const LONG AFC_UNIT_Q = 125;    // 31.25 kHz
}

bool CSimCard::DemodPresent()
{
    DWORD demod = m_shared->config.demod;
    if (demod != 2)
        return demod == 1;
    DWORD requested = 0;
    return ResolveProfile(&requested)->hasDemod != 0;
}

bool CSimCard::DeviceAcks(BYTE device)
{
    const SimConfig& c = m_shared->config;
    if (m_shared->state.nack[device >> 3] & (1 << (device & 7)))
        return false;
    if (ChipDevice(device))
        return ChipAcks(device);
    if (device == EEPROM_DEVICE || device == (BYTE)(c.pllAddr >> 1))
        return true;
    if (device == DEMOD_DEVICE && DemodPresent())
        return true;
    if (BoxDemodDevice(device) || KeyControllerDevice(device) || VideoMuxDevice(device))
        return true;
    for (DWORD i = 0; i < c.extraAckCount; ++i) {
        if ((c.extraAck[i] >> 1) == device)
            return true;
    }
    return false;
}

HRESULT CSimCard::BusWrite(BYTE device, const BYTE* data, DWORD count)
{
    if (!DeviceAcks(device)) {
        Trace(1, "N %02X W", device);
        return HR_NACK;
    }
    TraceBytes("W", device, data, count);
    if (ChipDevice(device))
        ChipWrite(device, data, count);
    else if (device == (BYTE)(m_shared->config.pllAddr >> 1))
        WritePll(data, count);
    else if (device == EEPROM_DEVICE)
        WriteEepromDevice(data, count);
    else if (device == DEMOD_DEVICE)
        WriteDemod(data, count);
    else if (BoxDemodDevice(device))
        WriteBoxDemod(data, count);
    else if (KeyControllerDevice(device))
        WriteKeyController(data, count);
    else if (VideoMuxDevice(device))
        WriteVideoMux(data, count);
    return S_OK;
}

HRESULT CSimCard::BusRead(BYTE device, BYTE* data, DWORD count)
{
    if (!DeviceAcks(device)) {
        Trace(1, "N %02X R", device);
        return HR_NACK;
    }
    SimCardState& s = m_shared->state;
    if (ChipDevice(device)) {
        ChipRead(device, data, count);
    } else if (device == (BYTE)(m_shared->config.pllAddr >> 1)) {
        BYTE status = PllStatus();
        for (DWORD i = 0; i < count; ++i)
            data[i] = status;
    } else if (device == EEPROM_DEVICE) {
        for (DWORD i = 0; i < count; ++i) {
            data[i] = s.eeprom[s.eepromPointer];
            s.eepromPointer = (s.eepromPointer + 1) % EEPROM_BYTES;
        }
    } else if (device == DEMOD_DEVICE) {
        BYTE status = DemodStatus();
        for (DWORD i = 0; i < count; ++i)
            data[i] = status;
    } else if (BoxDemodDevice(device)) {
        for (DWORD i = 0; i < count; ++i)
            data[i] = ReadBoxDemod();
    } else if (KeyControllerDevice(device)) {
        for (DWORD i = 0; i < count; ++i)
            data[i] = ReadKeyController();
    } else if (VideoMuxDevice(device)) {
        for (DWORD i = 0; i < count; ++i)
            data[i] = ReadVideoMux();
    } else {
        for (DWORD i = 0; i < count; ++i)
            data[i] = 0x00;
    }
    std::string text = CSimText::Format("R %02X ->", device);
    for (DWORD i = 0; i < count && text.size() + 4 < (size_t)SIM_TRACE_TEXT; ++i)
        text += CSimText::Format(" %02X", data[i]);
    Trace(1, "%s", text.c_str());
    return S_OK;
}

void CSimCard::WriteEepromDevice(const BYTE* data, DWORD count)
{
    SimCardState& s = m_shared->state;
    if (count < 1)
        return;
    s.eepromPointer = data[0];
    if (count < 2)
        return;
    std::string text = CSimText::Format("E [%02X]=", data[0]);
    for (DWORD i = 1; i < count; ++i) {
        s.eeprom[s.eepromPointer] = data[i];
        s.eepromPointer = (s.eepromPointer + 1) % EEPROM_BYTES;
        if (text.size() + 4 < (size_t)SIM_TRACE_TEXT)
            text += CSimText::Format(i == 1 ? "%02X" : " %02X", data[i]);
    }
    Trace(1, "%s", text.c_str());
}

void CSimCard::WriteDemod(const BYTE* data, DWORD count)
{
    SimCardState& s = m_shared->state;
    if (count < 1)
        return;
    for (DWORD i = 1; i < count; ++i) {
        DWORD reg = data[0] + i - 1;
        if (reg < DEMOD_REGISTERS)
            s.demodRegs[reg] = data[i];
    }
    s.demodPointer = data[0];
    if (count > 1)
        Trace(1, "D r0=%02X r1=%02X r2=%02X", s.demodRegs[0], s.demodRegs[1], s.demodRegs[2]);
}

BYTE CSimCard::DemodStatus()
{
    const SimConfig& c = m_shared->config;
    SimTuning t = Evaluate();
    if (!t.locked || t.station < 0 || (t.mode != SimTuning::MODE_TV && t.mode != SimTuning::MODE_FM))
        return DEMOD_NOTHING;
    LONG absD = t.d < 0 ? -t.d : t.d;
    bool tv = t.mode == SimTuning::MODE_TV;
    LONG range = tv ? (LONG)c.afcWindowKHz * SIM_Q_PER_KHZ : 2 * (LONG)c.fmWindowKHz * SIM_Q_PER_KHZ;
    if (absD > range)
        return DEMOD_NOTHING;
    // floor(d / 31.25 kHz), clamped to the four-bit two's complement field.
    LONG a = t.d >= 0 ? t.d / AFC_UNIT_Q : -((-t.d + AFC_UNIT_Q - 1) / AFC_UNIT_Q);
    a = a < -8 ? -8 : (a > 7 ? 7 : a);
    BYTE status = DEMOD_IN_RANGE | (BYTE)((a & 15) << 1);
    if (tv && absD < DEMOD_NEAR_Q)
        status |= DEMOD_TV_NEAR;
    if (!tv)
        status |= DEMOD_FM;
    return status;
}
