#include "TunerTNJ3321CF.h"

namespace {

// The module is tuned this far above the requested picture carrier, bands included.
const float kTuningOffsetKHz = 250.0f;

} // namespace

CTunerTNJ3321CF::CTunerTNJ3321CF(CI2CAccess* access)
    : CTunerFamilyModel(access, 67)
{
}

CTunerTNJ3321CF::~CTunerTNJ3321CF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTNJ3321CF::SetTvFrequency(float kHz)
{
    return CTunerModel::SetTvFrequency(kHz + kTuningOffsetKHz);
}

BOOL CTunerTNJ3321CF::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_C, code);
}

BOOL CTunerTNJ3321CF::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_T4, standard);
}
