#include "TunerMODEL_JS_2PC.h"

namespace {

const int kSecamL1IfKHz = 33900;

} // namespace

CTunerMODEL_JS_2PC::CTunerMODEL_JS_2PC(CI2CAccess* access)
    : CTunerFamilyModel(access, 12), m_secamL1If(kSecamL1IfKHz)
{
}

CTunerMODEL_JS_2PC::~CTunerMODEL_JS_2PC()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerMODEL_JS_2PC::SetTvFrequency(float kHz)
{
    return SendClampedTvMessage(kHz, IfForStandard(m_secamL1If));
}

BOOL CTunerMODEL_JS_2PC::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_J1, standard);
}
