#include "TunerFQ1216ME_5.h"

CTunerFQ1216ME_5::CTunerFQ1216ME_5(CI2CAccess* access)
    : CTunerFamilyModel(access, 97)
{
}

CTunerFQ1216ME_5::~CTunerFQ1216ME_5()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerFQ1216ME_5::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, m_tvIf);
}

BOOL CTunerFQ1216ME_5::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_B, code);
}

BOOL CTunerFQ1216ME_5::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_P5, standard);
}
