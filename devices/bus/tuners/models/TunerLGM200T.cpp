#include "TunerLGM200T.h"

CTunerLGM200T::CTunerLGM200T(CI2CAccess* access)
    : CTunerFamilyModel(access, 72)
{
}

CTunerLGM200T::~CTunerLGM200T()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerLGM200T::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_LGM200T, standard);
}
