#include "TunerTCL2002N_1.h"

CTunerTCL2002N_1::CTunerTCL2002N_1(CI2CAccess* access)
    : CTunerFamilyModel(access, 1)
{
}
