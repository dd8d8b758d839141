#include "TunerLGH202T.h"

CTunerLGH202T::CTunerLGH202T(CI2CAccess* access)
    : CTunerFamilyModel(access, 74)
{
}
