#include "TunerTCL2002MB_1F.h"

CTunerTCL2002MB_1F::CTunerTCL2002MB_1F(CI2CAccess* access)
    : CTunerFamilyModel(access, 10)
{
}
