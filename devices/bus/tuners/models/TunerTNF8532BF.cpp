#include "TunerTNF8532BF.h"

CTunerTNF8532BF::CTunerTNF8532BF(CI2CAccess* access)
    : CTunerFamilyModel(access, 52)
{
}
