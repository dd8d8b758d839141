#pragma once

#include "TunerFamilyModel.h"

// The "XINFA_TDQ_6B_DI" tuner module (type 33).
class CTunerXINFA_TDQ_6B_DI : public CTunerFamilyModel
{
public:
    explicit CTunerXINFA_TDQ_6B_DI(CI2CAccess* access);
};
