#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002MB_33F" tuner module (type 14).
class CTunerTCL2002MB_33F : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002MB_33F(CI2CAccess* access);
};
