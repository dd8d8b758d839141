#include "TunerType131.h"

CTunerType131::CTunerType131(CI2CAccess* access)
    : CTunerFamilyModel(access, 131)
{
}
