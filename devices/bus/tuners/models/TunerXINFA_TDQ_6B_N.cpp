#include "TunerXINFA_TDQ_6B_N.h"

CTunerXINFA_TDQ_6B_N::CTunerXINFA_TDQ_6B_N(CI2CAccess* access)
    : CTunerFamilyModel(access, 34)
{
}
