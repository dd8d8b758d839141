#include "TunerTNJ7752JFF_MK5.h"

CTunerTNJ7752JFF_MK5::CTunerTNJ7752JFF_MK5(CI2CAccess* access)
    : CTunerFamilyModel(access, 68)
{
}

CTunerTNJ7752JFF_MK5::~CTunerTNJ7752JFF_MK5()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ7752JFF_MK5::SetFmFrequency(float kHz)
{
    return TuneFmWithRadioSet(kHz, CIfDemodulator::SET_RADIO_TNJ);
}

BOOL CTunerTNJ7752JFF_MK5::GetFmStatus(int* code)
{
    return ReadFmStatusOverTuner(CIfDemodulator::FM_EITHER_CARRIER_BIT, code);
}

BOOL CTunerTNJ7752JFF_MK5::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_C, code);
}

BOOL CTunerTNJ7752JFF_MK5::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_N2, standard);
}
