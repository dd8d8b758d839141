#pragma once

#include "TunerFamilyModel.h"

// The "XINFA_TDQ_6B4_DI" tuner module (type 35).
class CTunerXINFA_TDQ_6B4_DI : public CTunerFamilyModel
{
public:
    explicit CTunerXINFA_TDQ_6B4_DI(CI2CAccess* access);
};
