#pragma once

#include "TunerFamilyModel.h"

// The "TNF9835BDFF" tuner module (type 62).
class CTunerTNF9835BDFF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9835BDFF(CI2CAccess* access);
};
