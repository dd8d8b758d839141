#include "TunerTNF5831MFF.h"

CTunerTNF5831MFF::CTunerTNF5831MFF(CI2CAccess* access)
    : CTunerFamilyModel(access, 55)
{
}
