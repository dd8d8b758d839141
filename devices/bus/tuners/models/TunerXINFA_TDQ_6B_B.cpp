#include "TunerXINFA_TDQ_6B_B.h"

CTunerXINFA_TDQ_6B_B::CTunerXINFA_TDQ_6B_B(CI2CAccess* access)
    : CTunerFamilyModel(access, 32)
{
}
