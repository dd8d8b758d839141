#include "TunerXCEIVE3028AF.h"

CTunerXCEIVE3028AF::CTunerXCEIVE3028AF(CI2CAccess* access)
    : CTunerFamilyModel(access, 136)
{
}

CTunerXCEIVE3028AF::~CTunerXCEIVE3028AF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerXCEIVE3028AF::SetTvFrequency(float)
{
    return ChipDriverMissing("XCEIVE3028AF tuning");
}

BOOL CTunerXCEIVE3028AF::GetTvStatus(int*)
{
    return ChipDriverMissing("XCEIVE3028AF status");
}

BOOL CTunerXCEIVE3028AF::SetVideoStandard(int)
{
    return ChipDriverMissing("XCEIVE3028AF standards");
}

BOOL CTunerXCEIVE3028AF::IsSignalLocked(int*)
{
    return ChipDriverMissing("XCEIVE3028AF lock");
}
