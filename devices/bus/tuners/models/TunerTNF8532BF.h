#pragma once

#include "TunerFamilyModel.h"

// The "TNF8532BF" tuner module (type 52).
class CTunerTNF8532BF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF8532BF(CI2CAccess* access);
};
