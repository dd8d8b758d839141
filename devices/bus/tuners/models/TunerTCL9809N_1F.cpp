#include "TunerTCL9809N_1F.h"

CTunerTCL9809N_1F::CTunerTCL9809N_1F(CI2CAccess* access)
    : CTunerFamilyModel(access, 15)
{
}
