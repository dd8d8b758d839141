#include "TunerTNF9535DIF.h"

CTunerTNF9535DIF::CTunerTNF9535DIF(CI2CAccess* access)
    : CTunerFamilyModel(access, 133)
{
}
