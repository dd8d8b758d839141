#pragma once

#include "TunerFamilyModel.h"

// The "TNJ3321MF" tuner module (type 63).
// Tuned 250 kHz up; its demodulator takes the same bytes in every standard.
class CTunerTNJ3321MF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ3321MF(CI2CAccess* access);
    virtual ~CTunerTNJ3321MF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL SetVideoStandard(int standard) override;
};
