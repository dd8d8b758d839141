#include "CSimCard.h"

#include "CSimText.h"

#include <string.h>

// The tuner chips that are not PLL modules. Typed from the chips' bus protocols, not from
// the program's drivers:
//
// Silicon tuner (profile chip 1). Its demodulator at 7-bit 0x4B gates the chip's bus:
// register 33 bit 6 set opens it, and the chip (at the PLL address) answers only then. The
// chip's programming registers sit at sub-addresses 0x00, 0x10, ... 0xF0: 0x00 holds the
// divider's high 8 bits, 0x10 its low 6 bits in bits 2-7, 0x40 bits 5-7 the oscillator's
// multiplier code (0-3: 1, 2, 4, 8, else 16). The oscillator runs at N x 250 kHz / multiplier;
// the picture carrier lies the IF offset of the demodulator's standard code (register 1,
// bits 0-6) below it. A write of 0x80 with bit 3 set ends the calibration: the chip is tuned.
// Demodulator reads: 24 status (bit 7 busy, never set here), 25 AFC (bit 7 lock, bits 0-6
// the offset in 12.5 kHz steps, two's complement), 28 level (40 on a station, 127 without);
// other registers read back what was written.
//
// Register-table tuner (profile chip 2). Messages are [register high, register low or
// data...]. A message whose first byte is 0xFE names a table (its data is the name) and
// starts counting the messages that follow as that table's; [00 00 Nh Nl] tunes to
// N x 15.625 kHz; [00 02 ..] selects the lock register, which reads 00 01 while locked
// and 00 00 otherwise. The chip locks once a table has arrived and the tuning has settled.
namespace
{
const BYTE GATE_DEVICE = 0x4B;
const BYTE GATE_OPEN_REGISTER = 33;
const BYTE GATE_OPEN_BIT = 0x40;
const BYTE GATE_STANDARD = 1;
const BYTE GATE_STATUS = 24;
const BYTE GATE_AFC = 25;
const BYTE GATE_LEVEL = 28;
const BYTE GATE_LOCK = 0x80;
const BYTE LEVEL_STATION = 40;
const BYTE LEVEL_NONE = 127;
const LONG AFC_STEP_Q = 50;             // 12.5 kHz
const LONG AFC_LIMIT = 63;

const BYTE CHIP_DIVIDER_HIGH = 0x00;
const BYTE CHIP_DIVIDER_LOW = 0x10;
const BYTE CHIP_BAND = 0x40;
const BYTE CHIP_CONTROL = 0x80;
const BYTE CHIP_DONE = 0x08;
const LONG OSCILLATOR_STEP_Q = 1000;    // 250 kHz

const BYTE TABLE_NAME_REGISTER = 0xFE;
const DWORD LOCK_REGISTER = 0x0002;
const DWORD DIVIDER_REGISTER = 0x0000;

// The IF offset (kHz) of a standard code, 0 for none.
DWORD IfOffsetKHz(BYTE code)
{
    switch (code) {
    case 1: return 5750;
    case 2: return 6750;
    case 4: case 8: case 16: case 32: return 7750;
    case 64: return 1750;
    default: return 0;
    }
}
}

BYTE CSimCard::ChipKind()
{
    DWORD requested = 0;
    return ResolveProfile(&requested)->chip;
}

bool CSimCard::ChipDevice(BYTE device)
{
    BYTE kind = ChipKind();
    if (kind == SIM_CHIP_PLL)
        return false;
    return device == (BYTE)(m_shared->config.pllAddr >> 1) || (kind == SIM_CHIP_SILICON && device == GATE_DEVICE);
}

bool CSimCard::ChipAcks(BYTE device)
{
    if (device == GATE_DEVICE && ChipKind() == SIM_CHIP_SILICON)
        return true;
    return ChipKind() != SIM_CHIP_SILICON || (m_shared->state.silicon.gate[GATE_OPEN_REGISTER] & GATE_OPEN_BIT) != 0;
}

void CSimCard::ChipWrite(BYTE device, const BYTE* data, DWORD count)
{
    if (device == GATE_DEVICE && ChipKind() == SIM_CHIP_SILICON)
        WriteGate(data, count);
    else if (ChipKind() == SIM_CHIP_SILICON)
        WriteSilicon(data, count);
    else
        WriteRegisterTable(data, count);
}

void CSimCard::ChipRead(BYTE device, BYTE* data, DWORD count)
{
    SimCardState& s = m_shared->state;
    for (DWORD i = 0; i < count; ++i)
        data[i] = 0x00;
    if (ChipKind() == SIM_CHIP_SILICON) {
        if (device == GATE_DEVICE) {
            for (DWORD i = 0; i < count; ++i)
                data[i] = GateRegister((BYTE)(s.silicon.gatePointer + i));
        }
    } else if (s.xc.pointer == LOCK_REGISTER && count >= 2) {
        data[1] = PictureLocked(Evaluate()) ? 1 : 0;
    }
}

void CSimCard::WriteGate(const BYTE* data, DWORD count)
{
    SimSiliconState& si = m_shared->state.silicon;
    if (count < 1)
        return;
    si.gatePointer = data[0];
    for (DWORD i = 1; i < count; ++i) {
        BYTE reg = (BYTE)(data[0] + i - 1);
        if (reg < sizeof(si.gate))
            si.gate[reg] = data[i];
    }
}

BYTE CSimCard::GateRegister(BYTE reg)
{
    const SimConfig& c = m_shared->config;
    SimSiliconState& si = m_shared->state.silicon;
    if (reg == GATE_STATUS)
        return 0x00;
    if (reg != GATE_AFC && reg != GATE_LEVEL)
        return reg < sizeof(si.gate) ? si.gate[reg] : 0x00;
    SimTuning t = Evaluate();
    LONG absD = t.d < 0 ? -t.d : t.d;
    bool seen = t.mode == SimTuning::MODE_TV && t.locked && t.station >= 0 &&
                absD <= (LONG)c.afcWindowKHz * SIM_Q_PER_KHZ;
    bool locked = PictureLocked(t);
    if (reg == GATE_LEVEL)
        return locked ? LEVEL_STATION : LEVEL_NONE;
    if (!seen)
        return 0x00;
    LONG steps = t.d / AFC_STEP_Q;
    steps = steps < -AFC_LIMIT ? -AFC_LIMIT : (steps > AFC_LIMIT ? AFC_LIMIT : steps);
    return (BYTE)((locked ? GATE_LOCK : 0) | (steps & 0x7F));
}

void CSimCard::WriteSilicon(const BYTE* data, DWORD count)
{
    SimSiliconState& si = m_shared->state.silicon;
    if (count < 2 || (data[0] & 0x0F) != 0)
        return;
    BYTE reg = data[0];
    si.chip[reg >> 4] = data[1];
    if (reg == CHIP_DIVIDER_HIGH || reg == CHIP_DIVIDER_LOW) {
        si.calibrated = 0;
        si.dividerUs = m_now;
    } else if (reg == CHIP_CONTROL && (data[1] & CHIP_DONE) != 0 && !si.calibrated) {
        si.calibrated = 1;
        SimTuning t = Evaluate();
        std::string d = t.station >= 0 ? " d=" + CSimText::FormatQuarterKHz(t.d, true) : "";
        if (t.mode == SimTuning::MODE_TV)
            Trace(1, "T SI N=%d t=%s%s", (si.chip[0] << 6) | (si.chip[1] >> 2),
                  CSimText::FormatQuarterKHz(t.t).c_str(), d.c_str());
        else
            Trace(1, "T SI standard code %02X unknown", si.gate[GATE_STANDARD] & 0x7F);
    }
}

void CSimCard::EndTable()
{
    SimRegisterTableState& xc = m_shared->state.xc;
    if (xc.table[0])
        Trace(1, "C loaded %s writes=%lu", xc.table, xc.tableWrites);
    xc.table[0] = '\0';
}

void CSimCard::WriteRegisterTable(const BYTE* data, DWORD count)
{
    SimRegisterTableState& xc = m_shared->state.xc;
    if (count < 1)
        return;
    if (data[0] == TABLE_NAME_REGISTER && count >= 2) {
        EndTable();
        DWORD length = count - 1 < sizeof(xc.table) - 1 ? count - 1 : (DWORD)sizeof(xc.table) - 1;
        memcpy(xc.table, data + 1, length);
        xc.table[length] = '\0';
        xc.tableWrites = 1;
        ++xc.tables;
        Trace(1, "C table %s", xc.table);
        return;
    }
    DWORD reg = count >= 2 ? (DWORD)data[0] << 8 | data[1] : ~0u;
    if (count == 4 && (reg == DIVIDER_REGISTER || reg == LOCK_REGISTER)) {
        EndTable();
        xc.pointer = reg;
        if (reg == DIVIDER_REGISTER) {
            xc.divider = (DWORD)data[2] << 8 | data[3];
            xc.tuned = 1;
            xc.tunedUs = m_now;
            SimTuning t = Evaluate();
            std::string d = t.station >= 0 ? " d=" + CSimText::FormatQuarterKHz(t.d, true) : "";
            Trace(1, "T XC N=%lu t=%s%s", xc.divider, CSimText::FormatQuarterKHz(t.t).c_str(), d.c_str());
        }
    } else if (count == 2) {
        xc.pointer = reg;
    } else if (xc.table[0]) {
        ++xc.tableWrites;
    }
}

void CSimCard::EvaluateChip(SimTuning* t)
{
    const SimConfig& c = m_shared->config;
    const SimCardState& s = m_shared->state;
    LONGLONG since = 0;
    if (t->profile->chip == SIM_CHIP_SILICON) {
        if (!s.silicon.calibrated)
            return;
        DWORD ifKHz = IfOffsetKHz((BYTE)(s.silicon.gate[GATE_STANDARD] & 0x7F));
        if (!ifKHz) {
            t->mode = SimTuning::MODE_SETUP;
            return;
        }
        LONG divider = (LONG)((s.silicon.chip[0] << 6) | (s.silicon.chip[1] >> 2));
        int code = s.silicon.chip[CHIP_BAND >> 4] >> 5;
        LONG multiplier = code < 4 ? 1 << code : 16;
        t->t = divider * OSCILLATOR_STEP_Q / multiplier - (LONG)ifKHz * SIM_Q_PER_KHZ;
        since = m_now - s.silicon.dividerUs;
    } else {
        if (!s.xc.tuned)
            return;
        // 15.625 kHz is 62.5 quarter kHz.
        t->t = (LONG)(s.xc.divider * 125 / 2);
        since = s.xc.tables ? m_now - s.xc.tunedUs : -1;
    }
    t->mode = SimTuning::MODE_TV;
    t->bandOk = true;
    t->station = NearestStation(c.tv, c.tvCount, t->t, &t->d);
    t->locked = since >= (LONGLONG)c.pllLockMs * 1000;
}
