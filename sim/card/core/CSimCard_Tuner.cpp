#include "CSimCard.h"

#include "CSimText.h"
#include "CSimTunerProfiles.h"

namespace
{
const DWORD EEPROM_TUNER_OFFSET = 0x21;
const BYTE  PLL_LOCKED = 0x40;
const BYTE  PLL_CONTROL_FIRST = 0x80;       // first data byte: control byte, not divider
const LONG  DIVIDER_STEP_Q = 250;           // 62.5 kHz
// AFC windows of the status code, in quarter kHz: 93.75 and 31.25 kHz.
const LONG  AFC_FAR_Q = 375;
const LONG  AFC_NEAR_Q = 125;
// Demodulator registers 1-2 of the radio set-up: an FM pair that equals a TV pair means FM.
const BYTE  RADIO_REG1 = 0x90;
const BYTE  RADIO_REG2 = 0x20;
const BYTE  SECAM_LPRIME_REG0 = 0x86;

int BandOf(const SimTunerProfile& p, SimQuarterKHz f)
{
    if (f < (LONG)p.splitHigh1KHz * SIM_Q_PER_KHZ)
        return 0;
    if (f < (LONG)p.splitHigh2KHz * SIM_Q_PER_KHZ)
        return 1;
    return 2;
}

int FindBandByte(const SimTunerProfile& p, BYTE bb)
{
    for (int i = 0; i < 3; ++i) {
        if (p.bandBytes[i] == bb)
            return i;
    }
    return -1;
}

}

int CSimCard::NearestStation(const SimStation* stations, DWORD count, SimQuarterKHz t, SimQuarterKHz* d)
{
    int best = -1;
    LONG bestDistance = 0;
    for (DWORD i = 0; i < count; ++i) {
        LONG diff = (LONG)stations[i].kHz * SIM_Q_PER_KHZ - t;
        LONG distance = diff < 0 ? -diff : diff;
        if (best < 0 || distance < bestDistance) {
            best = (int)i;
            bestDistance = distance;
            *d = diff;
        }
    }
    return best;
}

const SimTunerProfile* CSimCard::ResolveProfile(DWORD* requested)
{
    const SimConfig& c = m_shared->config;
    DWORD id = c.profile != 0 ? c.profile : m_shared->state.eeprom[EEPROM_TUNER_OFFSET];
    *requested = id;
    const SimTunerProfile* p = (id == 0 || id == 255) ? NULL : CSimTunerProfiles::Find(c, id);
    return p != NULL ? p : CSimTunerProfiles::Find(c, CSimTunerProfiles::FALLBACK_ID);
}

void CSimCard::WritePll(const BYTE* data, DWORD count)
{
    SimPllState& pll = m_shared->state.pll;
    if (count >= 2 && (data[0] & PLL_CONTROL_FIRST) != 0) {
        pll.cb = data[0];
        pll.bb = data[1];
        pll.hasAb = count >= 3;
        pll.ab = count >= 3 ? data[2] : 0;
    } else if (count < 4) {
        Trace(1, "T ignored n=%lu", count);
        return;
    } else {
        pll.divider = (DWORD)(data[0] & 0x7F) << 8 | data[1];
        pll.cb = data[2];
        pll.bb = data[3];
        pll.hasAb = count >= 5;
        pll.ab = count >= 5 ? data[4] : 0;
        pll.dividerUs = m_now;
    }
    pll.written = 1;
    TracePllWrite();
}

void CSimCard::TracePllWrite()
{
    SimTuning t = Evaluate();
    if (t.profile->id != t.requestedProfile && t.requestedProfile != 0 && t.requestedProfile != 255)
        Trace(1, "! no profile %lu", t.requestedProfile);
    const SimPllState& pll = m_shared->state.pll;
    std::string d = t.station >= 0 ? " d=" + CSimText::FormatQuarterKHz(t.d, true) : "";
    switch (t.mode) {
    case SimTuning::MODE_TV:
        Trace(1, "T TV N=%lu t=%s band=%d %s%s", pll.divider, CSimText::FormatQuarterKHz(t.t).c_str(),
              t.bandIndex + 1, t.bandOk ? "ok" : "bad", d.c_str());
        break;
    case SimTuning::MODE_FM:
        Trace(1, "T FM N=%lu t=%s%s", pll.divider, CSimText::FormatQuarterKHz(t.t).c_str(), d.c_str());
        break;
    default:
        Trace(1, "T SETUP CB=%02X BB=%02X", pll.cb, pll.bb);
        break;
    }
}

SimTuning CSimCard::Evaluate()
{
    const SimConfig& c = m_shared->config;
    const SimCardState& s = m_shared->state;
    SimTuning t = {};
    t.bandIndex = -1;
    t.station = -1;
    t.profile = ResolveProfile(&t.requestedProfile);
    if (t.profile->chip != SIM_CHIP_PLL) {
        EvaluateChip(&t);
        return t;
    }
    if (!s.pll.written)
        return t;

    const SimTunerProfile& p = *t.profile;
    bool tvPair = s.pll.cb == p.controlByte && FindBandByte(p, s.pll.bb) >= 0;
    bool fmPair = p.hasFm && s.pll.cb == p.fmControlByte && s.pll.bb == p.fmBandByte;
    if (tvPair && fmPair)
        tvPair = !(s.demodRegs[1] == RADIO_REG1 && s.demodRegs[2] == RADIO_REG2);

    LONG divider = (LONG)s.pll.divider;
    if (tvPair) {
        t.mode = SimTuning::MODE_TV;
        bool lPrime = p.lPrimeIfKHz != 0 && s.demodRegs[0] == SECAM_LPRIME_REG0;
        LONG ifKHz = (LONG)(lPrime ? p.lPrimeIfKHz : p.tvIfKHz);
        t.t = divider * DIVIDER_STEP_Q - ifKHz * SIM_Q_PER_KHZ;
        t.bandIndex = FindBandByte(p, s.pll.bb);
        // Every request in [t, t + 62.5) truncates to this divider; its band byte is valid.
        t.bandOk = s.pll.bb == p.bandBytes[BandOf(p, t.t)] ||
                   s.pll.bb == p.bandBytes[BandOf(p, t.t + DIVIDER_STEP_Q - 1)];
        t.station = NearestStation(c.tv, c.tvCount, t.t, &t.d);
    } else if (fmPair) {
        t.mode = SimTuning::MODE_FM;
        t.t = divider * (LONG)p.fmStepQ - (LONG)p.fmIfKHz * SIM_Q_PER_KHZ;
        t.station = NearestStation(c.fm, c.fmCount, t.t, &t.d);
    } else {
        t.mode = SimTuning::MODE_SETUP;
        return t;
    }
    bool settled = m_now - s.pll.dividerUs >= (LONGLONG)c.pllLockMs * 1000;
    t.locked = settled && (t.mode == SimTuning::MODE_FM || t.bandOk);
    return t;
}

BYTE CSimCard::PllStatus()
{
    const SimConfig& c = m_shared->config;
    SimTuning t = Evaluate();
    if (t.mode != SimTuning::MODE_TV && t.mode != SimTuning::MODE_FM)
        return 0x00;
    const SimTunerProfile& p = *t.profile;
    LONG absD = t.d < 0 ? -t.d : t.d;
    BYTE code = 0;
    if (t.mode == SimTuning::MODE_FM) {
        code = t.station >= 0 && absD <= (LONG)c.fmWindowKHz * SIM_Q_PER_KHZ ? p.fmLockCode : 0;
    } else if (t.station < 0 || absD > (LONG)c.afcWindowKHz * SIM_Q_PER_KHZ) {
        // Synthesizer locked, no carrier in the AFC window.
        code = p.codes[4];
    } else if (t.d >= AFC_FAR_Q) {
        code = p.codes[0];
    } else if (t.d >= AFC_NEAR_Q) {
        code = p.codes[1];
    } else if (t.d >= -AFC_NEAR_Q) {
        code = p.codes[2];
    } else if (t.d >= -AFC_FAR_Q) {
        code = p.codes[3];
    } else {
        code = p.codes[4];
    }
    return (t.locked ? PLL_LOCKED : 0) | code;
}

bool CSimCard::PictureLocked(const SimTuning& t)
{
    LONG absD = t.d < 0 ? -t.d : t.d;
    return t.mode == SimTuning::MODE_TV && t.locked && t.station >= 0 &&
           absD <= (LONG)m_shared->config.hLockKHz * SIM_Q_PER_KHZ;
}

bool CSimCard::TunerHasPicture()
{
    return PictureLocked(Evaluate());
}
