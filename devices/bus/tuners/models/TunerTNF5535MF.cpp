#include "TunerTNF5535MF.h"

CTunerTNF5535MF::CTunerTNF5535MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 66)
{
}
