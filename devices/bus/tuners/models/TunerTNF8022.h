#pragma once

#include "TunerFamilyModel.h"

// The "TNF8022" tuner module (type 134).
class CTunerTNF8022 : public CTunerFamilyModel
{
public:
    explicit CTunerTNF8022(CI2CAccess* access);
};
