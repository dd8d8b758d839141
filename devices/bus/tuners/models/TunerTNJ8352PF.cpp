#include "TunerTNJ8352PF.h"

CTunerTNJ8352PF::CTunerTNJ8352PF(CI2CAccess* access)
    : CTunerFamilyModel(access, 132)
{
}

CTunerTNJ8352PF::~CTunerTNJ8352PF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ8352PF::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_B, code);
}

BOOL CTunerTNJ8352PF::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_T3, standard);
}
