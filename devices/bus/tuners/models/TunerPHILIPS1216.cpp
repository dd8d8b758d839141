#include "TunerPHILIPS1216.h"

#include "I2CAccess.h"

#include <strmif.h>

namespace {

const int kSecamL1IfKHz = 33900;

// The radio set-up: two messages that switch the module's tuner over to the radio input,
// sent before the demodulator's radio set and the FM divider.
const BYTE kRadioSetUp[][4] = {
    // divider high, divider low, control, band
    {0x08, 0xFF, 0x8E, 0x01},
    {0x08, 0xFF, 0x8E, 0x19},
};
const DWORD kRadioSettleMs = 10;

// The radio divider counts 50 kHz steps.
const int kFmStepKHz = 50;

} // namespace

CTunerPHILIPS1216::CTunerPHILIPS1216(CI2CAccess* access)
    : CTunerFamilyModel(access, 92)
{
}

CTunerPHILIPS1216::~CTunerPHILIPS1216()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerPHILIPS1216::SetFmFrequency(float kHz)
{
    if (!m_access)
        return FALSE;
    if (kHz < m_fmLow)
        kHz = (float)m_fmLow;
    if (kHz > m_fmHigh)
        kHz = (float)m_fmHigh;
    if (!SetUpRadio())
        return FALSE;
    WORD divider = (WORD)(((int)kHz + m_fmIf) / kFmStepKHz);
    BYTE message[5] = {m_writeAddress, HIBYTE(divider), LOBYTE(divider), m_fmControlByte, m_fmBandByte};
    return SUCCEEDED(m_access->Write(message, sizeof(message)));
}

BOOL CTunerPHILIPS1216::SetUpRadio()
{
    for (const BYTE* bytes : kRadioSetUp) {
        BYTE message[5] = {m_writeAddress, bytes[0], bytes[1], bytes[2], bytes[3]};
        if (FAILED(m_access->Write(message, sizeof(message))))
            return FALSE;
    }
    Sleep(kRadioSettleMs);
    return m_demodulator.WriteSet(CIfDemodulator::SET_RADIO_PHILIPS1216, AnalogVideo_None);
}

BOOL CTunerPHILIPS1216::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, IfForStandard(kSecamL1IfKHz), AuxiliaryByteForStandard());
}

BOOL CTunerPHILIPS1216::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_A, code);
}

BOOL CTunerPHILIPS1216::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_P6, standard);
}
