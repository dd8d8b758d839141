#include "TunerJS_6B2.h"

namespace {

const int kSecamL1IfKHz = 33950;

} // namespace

CTunerJS_6B2::CTunerJS_6B2(CI2CAccess* access)
    : CTunerFamilyModel(access, 13), m_secamL1If(kSecamL1IfKHz)
{
}

CTunerJS_6B2::~CTunerJS_6B2()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerJS_6B2::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, IfForStandard(m_secamL1If));
}

BOOL CTunerJS_6B2::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_J2, standard);
}
