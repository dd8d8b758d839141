#include "TunerTCL2002MI_3.h"

CTunerTCL2002MI_3::CTunerTCL2002MI_3(CI2CAccess* access)
    : CTunerFamilyModel(access, 4)
{
}
