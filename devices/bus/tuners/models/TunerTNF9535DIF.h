#pragma once

#include "TunerFamilyModel.h"

// The "TNF9535DIF" tuner module (type 133).
class CTunerTNF9535DIF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9535DIF(CI2CAccess* access);
};
