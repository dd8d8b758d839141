#include "TunerXINFA_TDQ_6B4_DI.h"

CTunerXINFA_TDQ_6B4_DI::CTunerXINFA_TDQ_6B4_DI(CI2CAccess* access)
    : CTunerFamilyModel(access, 35)
{
}
