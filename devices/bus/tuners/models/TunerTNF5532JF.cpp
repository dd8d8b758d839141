#include "TunerTNF5532JF.h"

CTunerTNF5532JF::CTunerTNF5532JF(CI2CAccess* access)
    : CTunerFamilyModel(access, 56)
{
}
