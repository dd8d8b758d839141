#include "TunerLGH200T.h"

CTunerLGH200T::CTunerLGH200T(CI2CAccess* access)
    : CTunerFamilyModel(access, 73)
{
}
