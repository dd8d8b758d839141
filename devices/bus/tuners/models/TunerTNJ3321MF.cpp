#include "TunerTNJ3321MF.h"

namespace {

// The module is tuned this far above the requested picture carrier, bands included.
const float kTuningOffsetKHz = 250.0f;

} // namespace

CTunerTNJ3321MF::CTunerTNJ3321MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 63)
{
}

CTunerTNJ3321MF::~CTunerTNJ3321MF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ3321MF::SetTvFrequency(float kHz)
{
    return CTunerModel::SetTvFrequency(kHz + kTuningOffsetKHz);
}

BOOL CTunerTNJ3321MF::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_FIXED_D6_30_00, standard);
}
