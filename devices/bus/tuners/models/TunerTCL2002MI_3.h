#pragma once

#include "TunerFamilyModel.h"

// The "TCL2002MI_3" tuner module (type 4).
class CTunerTCL2002MI_3 : public CTunerFamilyModel
{
public:
    explicit CTunerTCL2002MI_3(CI2CAccess* access);
};
