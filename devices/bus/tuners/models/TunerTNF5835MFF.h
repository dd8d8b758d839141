#pragma once

#include "TunerFamilyModel.h"

// The "TNF5835MFF" tuner module (type 65).
class CTunerTNF5835MFF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5835MFF(CI2CAccess* access);
};
