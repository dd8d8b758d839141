#include "TunerTNF7532PRF.h"

CTunerTNF7532PRF::CTunerTNF7532PRF(CI2CAccess* access)
    : CTunerFamilyModel(access, 61)
{
}
