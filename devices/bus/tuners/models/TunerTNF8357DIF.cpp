#include "TunerTNF8357DIF.h"

CTunerTNF8357DIF::CTunerTNF8357DIF(CI2CAccess* access)
    : CTunerFamilyModel(access, 50)
{
}
