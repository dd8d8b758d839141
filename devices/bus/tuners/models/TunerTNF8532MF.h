#pragma once

#include "TunerFamilyModel.h"

// The "TNF8532MF" tuner module (type 54).
class CTunerTNF8532MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF8532MF(CI2CAccess* access);
};
