#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002N_1F" tuner module (type 2).
class CTunerTCL2002N_1F : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002N_1F(CI2CAccess* access);
};
