#include "TunerXCEIVE3028SIF.h"

CTunerXCEIVE3028SIF::CTunerXCEIVE3028SIF(CI2CAccess* access)
    : CTunerFamilyModel(access, 137)
{
}

CTunerXCEIVE3028SIF::~CTunerXCEIVE3028SIF()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerXCEIVE3028SIF::SetTvFrequency(float)
{
    return ChipDriverMissing("XCEIVE3028SIF tuning");
}

BOOL CTunerXCEIVE3028SIF::GetTvStatus(int*)
{
    return ChipDriverMissing("XCEIVE3028SIF status");
}

BOOL CTunerXCEIVE3028SIF::SetVideoStandard(int)
{
    return ChipDriverMissing("XCEIVE3028SIF standards");
}
