#pragma once

#include "TunerFamilyModel.h"

// The "TNF5535MF" tuner module (type 66).
class CTunerTNF5535MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5535MF(CI2CAccess* access);
};
