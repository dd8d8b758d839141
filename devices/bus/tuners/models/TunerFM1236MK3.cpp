#include "TunerFM1236MK3.h"

CTunerFM1236MK3::CTunerFM1236MK3(CI2CAccess* access)
    : CTunerFamilyModel(access, 98)
{
}

CTunerFM1236MK3::~CTunerFM1236MK3()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerFM1236MK3::SetFmFrequency(float kHz)
{
    return TuneFmWithRadioSet(kHz, CIfDemodulator::SET_RADIO_FM1236MK3);
}

BOOL CTunerFM1236MK3::GetFmStatus(int* code)
{
    return m_demodulator.ReadFmStatus(CIfDemodulator::FM_BOTH_CARRIER_BITS, kNoCode, code);
}

BOOL CTunerFM1236MK3::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_A, code);
}

BOOL CTunerFM1236MK3::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_FIXED_56_30_44, standard);
}
