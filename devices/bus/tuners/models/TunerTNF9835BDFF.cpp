#include "TunerTNF9835BDFF.h"

CTunerTNF9835BDFF::CTunerTNF9835BDFF(CI2CAccess* access)
    : CTunerFamilyModel(access, 62)
{
}
