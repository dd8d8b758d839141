#include "TunerTNJ3321PF.h"

namespace {

// The module is tuned this far above the requested picture carrier, bands included.
const float kTuningOffsetKHz = 250.0f;

} // namespace

CTunerTNJ3321PF::CTunerTNJ3321PF(CI2CAccess* access)
    : CTunerFamilyModel(access, 59)
{
}

CTunerTNJ3321PF::~CTunerTNJ3321PF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ3321PF::SetTvFrequency(float kHz)
{
    return CTunerModel::SetTvFrequency(kHz + kTuningOffsetKHz);
}

BOOL CTunerTNJ3321PF::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_T3, standard);
}
