#pragma once

#include "TunerFamilyModel.h"

// The "XINFA_TDQ_6B_B" tuner module (type 32).
class CTunerXINFA_TDQ_6B_B : public CTunerFamilyModel
{
public:
    explicit CTunerXINFA_TDQ_6B_B(CI2CAccess* access);
};
