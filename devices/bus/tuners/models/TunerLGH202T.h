#pragma once

#include "TunerFamilyModel.h"

// The "LGH202T" tuner module (type 74).
class CTunerLGH202T : public CTunerFamilyModel
{
public:
    explicit CTunerLGH202T(CI2CAccess* access);
};
