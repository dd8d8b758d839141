#include "TunerTCL2002NJ_5.h"

CTunerTCL2002NJ_5::CTunerTCL2002NJ_5(CI2CAccess* access)
    : CTunerFamilyModel(access, 3)
{
}
