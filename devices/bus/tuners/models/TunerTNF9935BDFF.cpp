#include "TunerTNF9935BDFF.h"

CTunerTNF9935BDFF::CTunerTNF9935BDFF(CI2CAccess* access)
    : CTunerFamilyModel(access, 69)
{
}
