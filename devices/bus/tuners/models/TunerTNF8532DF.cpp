#include "TunerTNF8532DF.h"

CTunerTNF8532DF::CTunerTNF8532DF(CI2CAccess* access)
    : CTunerFamilyModel(access, 53)
{
}
