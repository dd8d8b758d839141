#include "TunerTCL2002MB_3.h"

CTunerTCL2002MB_3::CTunerTCL2002MB_3(CI2CAccess* access)
    : CTunerFamilyModel(access, 5)
{
}
