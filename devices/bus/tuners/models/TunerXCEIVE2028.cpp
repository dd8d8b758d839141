#include "TunerXCEIVE2028.h"

CTunerXCEIVE2028::CTunerXCEIVE2028(CI2CAccess* access)
    : CTunerFamilyModel(access, 91)
{
}

CTunerXCEIVE2028::CTunerXCEIVE2028(CI2CAccess* access, int typeId)
    : CTunerFamilyModel(access, typeId)
{
}

CTunerXCEIVE2028::~CTunerXCEIVE2028()
{
    // The scan threads call the operations below until they end.
    StopScan();
}

BOOL CTunerXCEIVE2028::SetTvFrequency(float)
{
    return ChipDriverMissing("XCEIVE2028 tuning");
}

BOOL CTunerXCEIVE2028::GetTvStatus(int*)
{
    return ChipDriverMissing("XCEIVE2028 status");
}

BOOL CTunerXCEIVE2028::SetVideoStandard(int)
{
    return ChipDriverMissing("XCEIVE2028 standards");
}

BOOL CTunerXCEIVE2028::IsSignalLocked(int*)
{
    return ChipDriverMissing("XCEIVE2028 lock");
}
