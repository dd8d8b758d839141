#pragma once

#include "TunerFamilyModel.h"

// The "TNF8357DIF" tuner module (type 50).
class CTunerTNF8357DIF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF8357DIF(CI2CAccess* access);
};
