#pragma once

#include "TunerFamilyModel.h"

// The "TNF8532DF" tuner module (type 53).
class CTunerTNF8532DF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF8532DF(CI2CAccess* access);
};
