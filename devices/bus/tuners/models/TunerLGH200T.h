#pragma once

#include "TunerFamilyModel.h"

// The "LGH200T" tuner module (type 73).
class CTunerLGH200T : public CTunerFamilyModel
{
public:
    explicit CTunerLGH200T(CI2CAccess* access);
};
