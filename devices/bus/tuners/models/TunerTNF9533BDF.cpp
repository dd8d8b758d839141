#include "TunerTNF9533BDF.h"

CTunerTNF9533BDF::CTunerTNF9533BDF(CI2CAccess* access)
    : CTunerFamilyModel(access, 130)
{
}
