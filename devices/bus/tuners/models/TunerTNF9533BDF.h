#pragma once

#include "TunerFamilyModel.h"

// The "TNF9533BDF" tuner module (type 130).
class CTunerTNF9533BDF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9533BDF(CI2CAccess* access);
};
