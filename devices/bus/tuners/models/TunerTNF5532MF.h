#pragma once

#include "TunerFamilyModel.h"

// The "TNF5532MF" tuner module (type 57).
class CTunerTNF5532MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5532MF(CI2CAccess* access);
};
