#include "TunerTCL2002MB_33F.h"

CTunerTCL2002MB_33F::CTunerTCL2002MB_33F(CI2CAccess* access)
    : CTunerFamilyModel(access, 14)
{
}
