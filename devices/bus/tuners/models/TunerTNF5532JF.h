#pragma once

#include "TunerFamilyModel.h"

// The "TNF5532JF" tuner module (type 56).
class CTunerTNF5532JF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5532JF(CI2CAccess* access);
};
