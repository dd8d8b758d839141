#pragma once

#include "TunerFamilyModel.h"

// The "FS5_1A5_BG1" tuner module (type 110).
class CTunerFS5_1A5_BG1 : public CTunerFamilyModel
{
public:
    explicit CTunerFS5_1A5_BG1(CI2CAccess* access);
};
