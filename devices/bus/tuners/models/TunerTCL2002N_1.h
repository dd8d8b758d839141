#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002N_1" tuner module (type 1).
class CTunerTCL2002N_1 : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002N_1(CI2CAccess* access);
};
