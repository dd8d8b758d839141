#include "TunerPHILIPSFQ1286.h"

namespace {

const BYTE kAuxiliaryByte = 0x50;

} // namespace

CTunerPHILIPSFQ1286::CTunerPHILIPSFQ1286(CI2CAccess* access)
    : CTunerFamilyModel(access, 96)
{
}

CTunerPHILIPSFQ1286::~CTunerPHILIPSFQ1286()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerPHILIPSFQ1286::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, m_tvIf, kAuxiliaryByte);
}

BOOL CTunerPHILIPSFQ1286::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_A, code);
}

BOOL CTunerPHILIPSFQ1286::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_FIXED_56_30_40, standard);
}
