#pragma once

#include "TunerFamilyModel.h"

// The "TNF9835" tuner module (type 58).
class CTunerTNF9835 : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9835(CI2CAccess* access);
};
