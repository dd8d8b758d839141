#pragma once

#include "TunerFamilyModel.h"

// The "TNF5831MFF" tuner module (type 55).
class CTunerTNF5831MFF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5831MFF(CI2CAccess* access);
};
