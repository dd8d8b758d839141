#include "TunerFQ1236F.h"

CTunerFQ1236F::CTunerFQ1236F(CI2CAccess* access)
    : CTunerFamilyModel(access, 94)
{
}

CTunerFQ1236F::~CTunerFQ1236F()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerFQ1236F::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_A, code);
}

BOOL CTunerFQ1236F::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_FIXED_56_30_44, standard);
}
