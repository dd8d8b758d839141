#pragma once

#include "TunerFamilyModel.h"

// The "TNJ3321CF" tuner module (type 67).
// Tuned 250 kHz up; status from its demodulator, set per standard group.
class CTunerTNJ3321CF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ3321CF(CI2CAccess* access);
    virtual ~CTunerTNJ3321CF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
