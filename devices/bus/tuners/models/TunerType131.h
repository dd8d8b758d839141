#pragma once

#include "TunerFamilyModel.h"

// The unnamed tuner module (type 131).
class CTunerType131 : public CTunerFamilyModel
{
public:
    explicit CTunerType131(CI2CAccess* access);
};
