#include "TunerTNF8022.h"

CTunerTNF8022::CTunerTNF8022(CI2CAccess* access)
    : CTunerFamilyModel(access, 134)
{
}
