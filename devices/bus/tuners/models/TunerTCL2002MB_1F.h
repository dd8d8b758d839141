#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002MB_1F" tuner module (type 10).
class CTunerTCL2002MB_1F : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002MB_1F(CI2CAccess* access);
};
