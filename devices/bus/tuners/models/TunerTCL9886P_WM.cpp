#include "TunerTCL9886P_WM.h"

CTunerTCL9886P_WM::CTunerTCL9886P_WM(CI2CAccess* access)
    : CTunerFamilyModel(access, 17)
{
}

CTunerTCL9886P_WM::~CTunerTCL9886P_WM()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerTCL9886P_WM::SetVideoStandard(int standard)
{
    return m_demodulator.WriteSet(CIfDemodulator::SET_W, standard);
}
