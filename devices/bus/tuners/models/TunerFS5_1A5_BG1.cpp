#include "TunerFS5_1A5_BG1.h"

CTunerFS5_1A5_BG1::CTunerFS5_1A5_BG1(CI2CAccess* access)
    : CTunerFamilyModel(access, 110)
{
}
