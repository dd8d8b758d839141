#pragma once

#include "TunerFamilyModel.h"

// The "TNF9535BDF" tuner module (type 60).
class CTunerTNF9535BDF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9535BDF(CI2CAccess* access);
};
