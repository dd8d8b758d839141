#include "TunerTNJ7357MF.h"

CTunerTNJ7357MF::CTunerTNJ7357MF(CI2CAccess* access)
    : CTunerFamilyModel(access, 71)
{
}
