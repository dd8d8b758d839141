#pragma once

#include "TunerFamilyModel.h"

// The "LGS200T" tuner module (type 75). Status from its demodulator, set per standard group.
class CTunerLGS200T : public CTunerFamilyModel
{
public:
    explicit CTunerLGS200T(CI2CAccess* access);
    virtual ~CTunerLGS200T();

    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
