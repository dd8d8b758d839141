#include "TunerTNF5835MFF.h"

CTunerTNF5835MFF::CTunerTNF5835MFF(CI2CAccess* access)
    : CTunerFamilyModel(access, 65)
{
}
