#pragma once

#include "TunerFamilyModel.h"

// The "XINFA_TDQ_6B_N" tuner module (type 34).
class CTunerXINFA_TDQ_6B_N : public CTunerFamilyModel
{
public:
    explicit CTunerXINFA_TDQ_6B_N(CI2CAccess* access);
};
