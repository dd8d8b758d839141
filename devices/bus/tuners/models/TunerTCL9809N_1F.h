#pragma once

#include "TunerFamilyModel.h"

// The "TCL9809N_1F" tuner module (type 15).
class CTunerTCL9809N_1F : public CTunerFamilyModel
{
public:
    explicit CTunerTCL9809N_1F(CI2CAccess* access);
};
