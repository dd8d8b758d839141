#include "TunerFQ1216ME.h"

CTunerFQ1216ME::CTunerFQ1216ME(CI2CAccess* access)
    : CTunerFamilyModel(access, 93)
{
}

CTunerFQ1216ME::~CTunerFQ1216ME()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerFQ1216ME::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, m_tvIf, AuxiliaryByteForStandard());
}

BOOL CTunerFQ1216ME::GetTvStatus(int* code)
{
    return ReadDemodulatorStatus(CIfDemodulator::STATUS_C, code);
}

BOOL CTunerFQ1216ME::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_P5, standard);
}
