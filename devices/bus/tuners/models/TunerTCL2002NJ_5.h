#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002NJ_5" tuner module (type 3).
class CTunerTCL2002NJ_5 : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002NJ_5(CI2CAccess* access);
};
