#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002MI_1F" tuner module (type 11).
class CTunerTCL2002MI_1F : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002MI_1F(CI2CAccess* access);
};
