#include "TunerTNF9535BDF.h"

CTunerTNF9535BDF::CTunerTNF9535BDF(CI2CAccess* access)
    : CTunerFamilyModel(access, 60)
{
}
