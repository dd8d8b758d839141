#include "TunerTNF5532MF.h"

CTunerTNF5532MF::CTunerTNF5532MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 57)
{
}
