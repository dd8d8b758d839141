#include "TunerTNF5531MF.h"

CTunerTNF5531MF::CTunerTNF5531MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 64)
{
}
