#include "TunerTCL2002MI_1F.h"

CTunerTCL2002MI_1F::CTunerTCL2002MI_1F(CI2CAccess* access)
    : CTunerFamilyModel(access, 11)
{
}
