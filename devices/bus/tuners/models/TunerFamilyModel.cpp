#include "TunerFamilyModel.h"

#include "I2CAccess.h"
#include "TunerModelRecord.h"

#include <strmif.h>

namespace {

// Dividers count 62.5 kHz steps of the PLL's reference.
const float kTvStepsPerKHz = 0.016f;

const BYTE kAuxiliarySecamL = 0x20;
const BYTE kAuxiliaryOther = 0xA0;

// Address, divider high and low, control, band.
const int kTvMessageLength = 5;

// Truncation of a single-precision product. The store through a volatile float rounds x87's
// wider intermediate to single precision first, as the modules' divider formula expects.
WORD TvDivider(int ifKHz, float kHz)
{
    volatile float steps = (ifKHz + kHz) * kTvStepsPerKHz;
    return (WORD)(int)steps;
}

} // namespace

CTunerFamilyModel::CTunerFamilyModel(CI2CAccess* access, int typeId)
    : CTunerModel(access), m_demodulator(access)
{
    LoadRecord(typeId);
}

void CTunerFamilyModel::LoadRecord(int typeId)
{
    const TunerModelRecord& r = FindTunerModelRecord(typeId);
    m_typeId = r.typeId;
    m_secondTypeId = r.typeId;
    m_makerLetter = r.makerLetter;
    m_bandLow = r.bands.low1;
    m_lowBandEnd = r.bands.high1;
    m_midBandStart = r.bands.low2;
    m_midBandEnd = r.bands.high2;
    m_highBandStart = r.bands.low3;
    m_bandHigh = r.bands.high3;
    m_tvIf = r.tvIf;
    m_fmSupported = r.fm.supported;
    m_fmLow = r.fm.low;
    m_fmHigh = r.fm.high;
    m_fmIf = r.fm.ifKHz;
    m_fmControlByte = r.fm.control;
    m_fmBandByte = r.fm.band;
    m_lowBandByte = r.bandBytes[0];
    m_midBandByte = r.bandBytes[1];
    m_highBandByte = r.bandBytes[2];
    m_tvControlByte = r.control;
    m_lockMask = r.lockMask;
    m_readAddress = r.readAddress;
    m_writeAddress = r.writeAddress;
    m_afcCodeUp125 = r.statusCodes[0];
    m_afcCodeUp62 = r.statusCodes[1];
    m_inTuneCode = r.statusCodes[2];
    m_afcCodeDown62 = r.statusCodes[3];
    m_afcCodeDown125 = r.statusCodes[4];
    m_fmLockCode = r.fmLockCode;
    m_reapplyStandard = r.reapplyStandard;
    m_videoStandard = r.videoStandard;
    for (int i = 0; i < TunerModelRecord::kMaxStandards && r.standards[i]; ++i)
        m_supportedStandards.push_back(r.standards[i]);
}

int CTunerFamilyModel::BuildTvMessage(float kHz, int ifKHz, BYTE* message) const
{
    if (kHz < m_bandLow)
        kHz = (float)m_bandLow;
    if (kHz > m_bandHigh)
        kHz = (float)m_bandHigh;
    BYTE band = m_highBandByte;
    if (kHz < m_lowBandEnd)
        band = m_lowBandByte;
    else if (kHz < m_midBandEnd)
        band = m_midBandByte;
    WORD divider = TvDivider(ifKHz, kHz);
    message[0] = m_writeAddress;
    message[1] = HIBYTE(divider);
    message[2] = LOBYTE(divider);
    message[3] = m_tvControlByte;
    message[4] = band;
    return kTvMessageLength;
}

BOOL CTunerFamilyModel::SendClampedTvMessage(float kHz, int ifKHz)
{
    if (!m_access)
        return FALSE;
    BYTE message[kTvMessageLength];
    int length = BuildTvMessage(kHz, ifKHz, message);
    return m_access->Write(message, length) == S_OK;
}

BOOL CTunerFamilyModel::SendClampedTvMessage(float kHz, int ifKHz, BYTE auxiliary)
{
    if (!m_access)
        return FALSE;
    BYTE message[kTvMessageLength + 1];
    int length = BuildTvMessage(kHz, ifKHz, message);
    message[length++] = auxiliary;
    return m_access->Write(message, length) == S_OK;
}

BYTE CTunerFamilyModel::AuxiliaryByteForStandard() const
{
    bool secamL = m_videoStandard == AnalogVideo_SECAM_L || m_videoStandard == AnalogVideo_SECAM_L1;
    return secamL ? kAuxiliarySecamL : kAuxiliaryOther;
}

int CTunerFamilyModel::IfForStandard(int secamL1If) const
{
    return m_videoStandard == AnalogVideo_SECAM_L1 ? secamL1If : m_tvIf;
}

BOOL CTunerFamilyModel::ReadDemodulatorStatus(CIfDemodulator::StatusForm form, int* code)
{
    CIfDemodulator::AfcPosition position = CIfDemodulator::AFC_IN_TUNE;
    if (!code || !m_demodulator.ReadTvStatus(form, &position))
        return FALSE;
    const int codes[] = {m_afcCodeUp125, m_afcCodeUp62, m_inTuneCode, m_afcCodeDown62, m_afcCodeDown125};
    *code = codes[position];
    return TRUE;
}

BOOL CTunerFamilyModel::TuneFmWithRadioSet(float kHz, CIfDemodulator::Set radioSet)
{
    if (!CTunerModel::SetFmFrequency(kHz))
        return FALSE;
    // A radio set whose writes are checked and failed leaves the demodulator out of radio
    // mode: the station would be tuned but silent, so that is no success.
    return m_demodulator.WriteSet(radioSet, AnalogVideo_None);
}

BOOL CTunerFamilyModel::ReadFmStatusOverTuner(CIfDemodulator::FmStatusForm form, int* code)
{
    int tunerCode = kNoCode;
    CTunerModel::GetFmStatus(&tunerCode);
    return m_demodulator.ReadFmStatus(form, tunerCode, code);
}
