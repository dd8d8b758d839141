#pragma once

#include "TunerXCEIVE2028.h"

// The "XCEIVE3028" tuner module (type 90). Driven as the XCEIVE2028, under its own type id.
class CTunerXCEIVE3028 : public CTunerXCEIVE2028
{
public:
    explicit CTunerXCEIVE3028(CI2CAccess* access);
};
