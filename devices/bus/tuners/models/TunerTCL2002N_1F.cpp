#include "TunerTCL2002N_1F.h"

CTunerTCL2002N_1F::CTunerTCL2002N_1F(CI2CAccess* access)
    : CTunerFamilyModel(access, 2)
{
}
