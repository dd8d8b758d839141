#include "TunerTNF8532MF.h"

CTunerTNF8532MF::CTunerTNF8532MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 54)
{
}
