#include "TunerTNJ8852CFF.h"

CTunerTNJ8852CFF::CTunerTNJ8852CFF(CI2CAccess* access)
    : CTunerFamilyModel(access, 70)
{
}

CTunerTNJ8852CFF::~CTunerTNJ8852CFF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ8852CFF::SetFmFrequency(float kHz)
{
    return TuneFmWithRadioSet(kHz, CIfDemodulator::SET_RADIO_TNJ);
}

BOOL CTunerTNJ8852CFF::GetFmStatus(int* code)
{
    return ReadFmStatusOverTuner(CIfDemodulator::FM_EITHER_CARRIER_BIT, code);
}

BOOL CTunerTNJ8852CFF::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_D, code);
}

BOOL CTunerTNJ8852CFF::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_T4B, standard);
}
