#pragma once

#include "TunerFamilyModel.h"

// The "TNF5531MF" tuner module (type 64).
class CTunerTNF5531MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF5531MF(CI2CAccess* access);
};
