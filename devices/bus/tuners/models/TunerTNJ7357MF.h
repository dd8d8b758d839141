#pragma once

#include "TunerFamilyModel.h"

// The "TNJ7357MF" tuner module (type 71).
class CTunerTNJ7357MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ7357MF(CI2CAccess* access);
};
