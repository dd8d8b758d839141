#include "SiliconTuner.h"

#include "ChipWait.h"

#include <strmif.h>

namespace {

// Chip register 7 takes 0x26 for every frequency the chip tunes. The programming this
// driver follows compares with 471 251 Hz, below every such frequency, to choose 0x22; what
// 0x22 is meant for is not known, so it is kept here and never sent.
const BYTE kChipRegister7 = 0x07;
const BYTE kChipRegister7Value = 0x26;
const BYTE kChipRegister7Unused = 0x22;

// Chip registers: programming byte i goes to register i × 0x10.
const BYTE kChipCalibration = 0x30;     // byte 3
const BYTE kChipPassSelect = 0x60;      // byte 6
const BYTE kChipControl = 0x80;         // byte 8
const int kControlByte = 8;
const int kSkippedByte = 9;

const BYTE kControlDone = 0x08;
const BYTE kControlFirstPass = 0x04;
const BYTE kFirstPassFlag = 0x20;
const BYTE kPassClear = 0x30;

// Demodulator registers.
const BYTE kDemodMode = 0;
const BYTE kDemodStandard = 1;
const BYTE kDemodSound = 5;
const BYTE kDemodOutput = 7;
const BYTE kDemodFilter = 13;
const BYTE kDemodCarrier = 14;
const BYTE kDemodAgc = 15;
const BYTE kDemodTuning = 22;
const BYTE kDemodClock = 32;
const BYTE kDemodGate = 33;
const BYTE kDemodIf = 40;
const BYTE kDemodVideo = 48;

const BYTE kGateOpen = 0xC0;
const BYTE kGateClosed = 0x80;
const BYTE kStandardPrepare = 0x80;
const BYTE kCarrierPulse = 0x02;

// The band search looks at no more rows than these; a frequency above the last of them
// takes the row stored after it.
const int kSearchedBands = 25;
const int kStoredBands = 26;

const int kBusyReads = 10;
const DWORD kBusyWaitMs = 5;
const int kRetryAttempts = 3;
const DWORD kRetryWaitMs = 100;
const DWORD kFirstPassWaitMs = 100;
const DWORD kSecondPassWaitMs = 550;
const DWORD kCalibrationStepMs = 1;
// Beyond the bus's own retries: a demodulator that never answers ends the tuning.
const int kDemodReadTries = 3;

struct StandardRow
{
    DWORD standards;
    int code;
    DWORD ifOffset;
};

const StandardRow kStandards[] = {
    {AnalogVideo_NTSC_M | AnalogVideo_NTSC_M_J | AnalogVideo_PAL_M | AnalogVideo_PAL_N | AnalogVideo_PAL_N_COMBO,
     1, 5750000},
    {AnalogVideo_PAL_B | AnalogVideo_SECAM_B, 2, 6750000},
    {AnalogVideo_PAL_G | AnalogVideo_PAL_H | AnalogVideo_SECAM_G | AnalogVideo_SECAM_H, 4, 7750000},
    {AnalogVideo_PAL_I, 8, 7750000},
    {AnalogVideo_PAL_D | AnalogVideo_SECAM_D | AnalogVideo_SECAM_K, 16, 7750000},
    {AnalogVideo_SECAM_L, 32, 7750000},
    {AnalogVideo_SECAM_L1, 64, 1750000},
};
const int kFallbackStandard = AnalogVideo_PAL_B;
const int kSecamLCodes = 32 | 64;

} // namespace

const CSiliconTuner::BandRow CSiliconTuner::kBands[] = {
    {48750000, 2, 4, 0, 0, 3},  {56875000, 3, 4, 0, 0, 3},  {67250000, 0, 3, 0, 0, 3},
    {81250000, 1, 3, 0, 0, 3},  {97500000, 2, 3, 0, 0, 3},  {113750000, 3, 3, 0, 1, 1},
    {134500000, 0, 2, 0, 1, 1}, {154000000, 1, 2, 0, 1, 1}, {162500000, 1, 2, 0, 1, 1},
    {181000000, 2, 2, 0, 1, 1}, {195000000, 2, 2, 0, 2, 1}, {227500000, 3, 2, 0, 2, 3},
    {269000000, 0, 1, 0, 2, 3}, {325000000, 1, 1, 0, 2, 1}, {390000000, 2, 1, 0, 3, 3},
    {455000000, 3, 1, 0, 3, 3}, {520000000, 0, 0, 0, 3, 1}, {538000000, 0, 0, 1, 3, 1},
    {554000000, 1, 0, 0, 3, 1}, {620000000, 1, 0, 0, 4, 0}, {650000000, 1, 0, 1, 4, 0},
    {700000000, 2, 0, 0, 4, 0}, {780000000, 2, 0, 1, 4, 0}, {820000000, 3, 0, 0, 4, 0},
    {870000000, 3, 0, 1, 4, 0}, {911000000, 3, 0, 2, 4, 0},
};

CSiliconTuner::CSiliconTuner(CSiliconTunerBus* bus)
    : m_bus(bus), m_waitEvent(CreateEventA(NULL, FALSE, FALSE, NULL)), m_lockFailed(FALSE),
      m_standard(kFallbackStandard), m_standardCode(2), m_ifOffset(6750000)
{
    ZeroMemory(m_chip, sizeof(m_chip));
    ZeroMemory(m_demod, sizeof(m_demod));
    (void)kChipRegister7Unused;
}

CSiliconTuner::~CSiliconTuner()
{
    if (m_waitEvent)
        CloseHandle(m_waitEvent);
}

const CSiliconTuner::BandRow& CSiliconTuner::FindBand(DWORD hz)
{
    static_assert(sizeof(kBands) / sizeof(kBands[0]) == kStoredBands, "band table rows");
    for (int i = 0; i < kSearchedBands; ++i) {
        if (kBands[i].upperHz >= hz)
            return kBands[i];
    }
    return kBands[kStoredBands - 1];
}

int CSiliconTuner::AfcStep(BYTE value)
{
    if (value >= 38 && value <= 63)
        return 2;
    if (value >= 19 && value <= 37)
        return 1;
    if (value >= 64 && value <= 90)
        return -2;
    if (value >= 91 && value <= 109)
        return -1;
    return 0;
}

void CSiliconTuner::Wait(DWORD ms)
{
    ChipWait(m_waitEvent, ms);
}

BOOL CSiliconTuner::WriteChip(BYTE reg, BYTE value)
{
    return m_bus->WriteRegister(kChipAddress, reg, value);
}

BOOL CSiliconTuner::WriteDemod(BYTE reg, BYTE value)
{
    if (reg < kDemodRegisters)
        m_demod[reg] = value;
    return m_bus->WriteRegister(kDemodAddress, reg, value);
}

BOOL CSiliconTuner::ReadDemod(BYTE reg, BYTE* value)
{
    for (int i = 0; i < kDemodReadTries; ++i) {
        if (m_bus->ReadRegister(kDemodAddress, reg, value))
            return TRUE;
    }
    return FALSE;
}

BOOL CSiliconTuner::OpenGate(BOOL open)
{
    return WriteDemod(kDemodGate, open ? kGateOpen : kGateClosed);
}

// Register 5 while tuning: 2 for PAL D, else 4. The programming also names the value 0x28,
// which the standard choice never keeps; the comparison stays as it was written.
BYTE CSiliconTuner::SettleValue() const
{
    return (m_standard == AnalogVideo_PAL_D || m_standard == 0x28) ? 2 : 4;
}

BOOL CSiliconTuner::Initialise()
{
    WriteDemod(kDemodMode, 1);
    WriteDemod(kDemodOutput, 0);
    WriteDemod(kDemodVideo, 47);
    return WriteDemod(kDemodClock, 11);
}

BOOL CSiliconTuner::SelectStandard(int standard)
{
    WriteDemod(kDemodOutput, 0);
    const StandardRow* row = NULL;
    for (const StandardRow& candidate : kStandards) {
        if (candidate.standards & (DWORD)standard) {
            row = &candidate;
            break;
        }
    }
    // One bit is one standard; anything else is none of the table's.
    if (!row || (standard & (standard - 1)) != 0) {
        standard = kFallbackStandard;
        row = &kStandards[1];
    }
    m_standard = standard;
    m_standardCode = row->code;
    m_ifOffset = row->ifOffset;
    return WriteDemod(kDemodStandard, (BYTE)m_standardCode);
}

int CSiliconTuner::Prepare()
{
    SelectStandard(m_standard);
    WriteDemod(kDemodTuning, 7);
    WriteDemod(kDemodStandard, (BYTE)(m_standardCode | kStandardPrepare));
    WriteDemod(kDemodAgc, 0x88);
    WriteDemod(kDemodIf, 0x14);
    WriteDemod(kDemodSound, SettleValue());
    WriteDemod(kDemodFilter, 0x47);
    WriteDemod(kDemodCarrier, 0x11);
    WriteDemod(kDemodIf, 0x54);
    WriteDemod(kDemodSound, 1);
    return m_standardCode;
}

BOOL CSiliconTuner::ProgrammingPass(DWORD hz, BOOL first)
{
    OpenGate(TRUE);
    WriteChip(kChipRegister7, kChipRegister7Value);

    DWORD lo = hz + m_ifOffset;
    const BandRow& band = FindBand(lo);
    const int multipliers[] = {1, 2, 4, 8};
    ULONGLONG multiplier = band.b < 4 ? multipliers[band.b] : 16;
    ULONGLONG n = ((ULONGLONG)lo * multiplier * 64) / 16000000;
    m_chip[0] = (BYTE)(n >> 6);
    m_chip[1] = (BYTE)((n * 4) & 0xFF);
    m_chip[2] = 0;
    m_chip[3] = (BYTE)((band.c & 3) | 0x10);
    m_chip[4] = (BYTE)((band.b & 7) << 5 | (band.a & 3) << 3 | (band.d & 7));
    m_chip[5] = (BYTE)((m_chip[5] & ~0x30) | (band.e & 3) << 4);
    m_chip[6] = (BYTE)((m_chip[6] & ~0x30) | (first ? kFirstPassFlag : 0));
    m_chip[13] = (BYTE)((m_chip[13] & ~0x06) | (m_standardCode & 3) << 1);

    for (int i = 0; i < kProgrammingBytes; ++i) {
        if (i != kSkippedByte)
            WriteChip((BYTE)((i < kSkippedByte ? i : i - 1) * 0x10), m_chip[i]);
    }
    m_chip[kControlByte] = (BYTE)((m_chip[kControlByte] & ~(kControlDone | kControlFirstPass)) |
                                  (first ? kControlFirstPass : 0));
    WriteChip(kChipControl, m_chip[kControlByte]);
    if (!first)
        WriteChip(kChipPassSelect, (BYTE)(m_chip[6] | kPassClear));

    BYTE calibration = m_chip[3];
    WriteChip(kChipCalibration, (BYTE)(calibration | 0x80));
    Wait(kCalibrationStepMs);
    WriteChip(kChipCalibration, (BYTE)(calibration | 0x04));
    Wait(kCalibrationStepMs);
    WriteChip(kChipCalibration, (BYTE)(calibration & ~0x0C));
    if (first) {
        Wait(kFirstPassWaitMs);
    } else {
        Wait(kSecondPassWaitMs);
        WriteChip(kChipCalibration, (BYTE)((calibration & ~3) | (band.c & 3)));
    }

    m_chip[kControlByte] |= kControlDone;
    WriteChip(kChipControl, m_chip[kControlByte]);
    return OpenGate(FALSE);
}

BOOL CSiliconTuner::ReadIndicators(Indicators* indicators)
{
    BYTE afc = 0;
    BYTE level = 0;
    if (!ReadDemod(kDemodAfc, &afc) || !ReadDemod(kDemodLevel, &level))
        return FALSE;
    BYTE value = (BYTE)(afc & kDemodAfcValue);
    indicators->afcInRange = ((value * 2048) >> 8) >= 160;
    indicators->levelOk = level < kWeakLevel;
    indicators->locked = (afc & kDemodLock) != 0;
    return TRUE;
}

BOOL CSiliconTuner::Tune(DWORD hz, int)
{
    ProgrammingPass(hz, TRUE);

    BOOL settled = FALSE;
    for (int i = 0; i < kBusyReads && !settled; ++i) {
        BYTE status = 0;
        if (!ReadDemod(kDemodStatus, &status)) {
            m_lockFailed = TRUE;
            return FALSE;
        }
        settled = (status & kDemodBusy) == 0;
        if (!settled)
            Wait(kBusyWaitMs);
    }
    m_lockFailed = !settled;

    WriteDemod(kDemodCarrier, 9);
    WriteDemod(kDemodSound, SettleValue());
    WriteDemod(kDemodAgc, 0x88);
    WriteDemod(kDemodIf, 0x14);
    WriteDemod(kDemodFilter, 0x47);

    BOOL result = ProgrammingPass(hz, FALSE);
    WriteDemod(kDemodTuning, 3);

    Indicators now = {};
    if (!ReadIndicators(&now)) {
        m_lockFailed = TRUE;
        return FALSE;
    }
    for (int attempt = 1; attempt <= kRetryAttempts && !(now.locked && now.levelOk) && !now.afcInRange; ++attempt) {
        if (attempt == 1) {
            WriteDemod(kDemodIf, 0x54);
        } else if (attempt == 2) {
            OpenGate(TRUE);
            m_chip[kControlByte] |= kControlFirstPass;
            WriteChip(kChipControl, m_chip[kControlByte]);
            OpenGate(FALSE);
        } else {
            WriteDemod(kDemodSound, 1);
            WriteDemod(kDemodFilter, 0x27);
        }
        Wait(kRetryWaitMs);
        if (!ReadIndicators(&now)) {
            m_lockFailed = TRUE;
            return FALSE;
        }
    }
    return result;
}

void CSiliconTuner::Finish(int mode)
{
    if (mode & kSecamLCodes) {
        BYTE level = 0;
        BYTE carrier = 0x80;
        if (ReadDemod(kDemodSecamLevel, &level) && ReadDemod(kDemodSecamCarrier, &carrier) &&
            (level > 20 || (carrier & 0x80) == 0)) {
            WriteDemod(kDemodCarrier, (BYTE)(m_demod[kDemodCarrier] | kCarrierPulse));
            WriteDemod(kDemodCarrier, (BYTE)(m_demod[kDemodCarrier] & ~kCarrierPulse));
        }
    }
    WriteDemod(kDemodAgc, 0x82);
}
