#pragma once

#include "TunerFamilyModel.h"

// The "TNF9935BDFF" tuner module (type 69).
class CTunerTNF9935BDFF : public CTunerFamilyModel
{
public:
    explicit CTunerTNF9935BDFF(CI2CAccess* access);
};
