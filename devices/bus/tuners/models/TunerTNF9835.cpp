#include "TunerTNF9835.h"

CTunerTNF9835::CTunerTNF9835(CI2CAccess* access)
    : CTunerFamilyModel(access, 58)
{
}
