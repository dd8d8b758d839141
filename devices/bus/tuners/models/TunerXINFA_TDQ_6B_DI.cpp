#include "TunerXINFA_TDQ_6B_DI.h"

CTunerXINFA_TDQ_6B_DI::CTunerXINFA_TDQ_6B_DI(CI2CAccess* access)
    : CTunerFamilyModel(access, 33)
{
}
