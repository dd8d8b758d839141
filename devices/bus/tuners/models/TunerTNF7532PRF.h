#pragma once

#include "TunerFamilyModel.h"

// The "TNF7532PRF" tuner module (type 61).
class CTunerTNF7532PRF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF7532PRF(CI2CAccess* access);
};
