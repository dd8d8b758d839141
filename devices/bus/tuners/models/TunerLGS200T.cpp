#include "TunerLGS200T.h"

CTunerLGS200T::CTunerLGS200T(CI2CAccess* access)
    : CTunerFamilyModel(access, 75)
{
}

CTunerLGS200T::~CTunerLGS200T()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerLGS200T::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_B, code);
}

BOOL CTunerLGS200T::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_L5, standard);
}
