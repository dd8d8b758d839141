#include "TunerPHILIPSTDA8275A.h"

CTunerPHILIPSTDA8275A::CTunerPHILIPSTDA8275A(CI2CAccess* access)
    : CTunerFamilyModel(access, 95)
{
}

CTunerPHILIPSTDA8275A::~CTunerPHILIPSTDA8275A()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerPHILIPSTDA8275A::SetTvFrequency(float)
{
    return ChipDriverMissing("PHILIPSTDA8275A tuning");
}

// The chip reports no AFC position: the owner device's picture lock stands in for the status.
BOOL CTunerPHILIPSTDA8275A::GetTvStatus(int* code)
{
    if (!code)
        return FALSE;
    int locked = 0;
    BOOL answered = IsSignalLocked(&locked);
    *code = locked ? m_inTuneCode : m_afcCodeUp125;
    return answered;
}

BOOL CTunerPHILIPSTDA8275A::SetVideoStandard(int)
{
    return ChipDriverMissing("PHILIPSTDA8275A standards");
}
