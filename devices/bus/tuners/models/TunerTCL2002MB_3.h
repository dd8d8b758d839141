#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002MB_3" tuner module (type 5).
class CTunerTCL2002MB_3 : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002MB_3(CI2CAccess* access);
};
