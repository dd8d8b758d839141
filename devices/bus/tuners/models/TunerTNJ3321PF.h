#pragma once

#include "TunerFamilyModel.h"

// The "TNJ3321PF" tuner module (type 59).
// Tuned 250 kHz up; its demodulator is set per standard group.
class CTunerTNJ3321PF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ3321PF(CI2CAccess* access);
    virtual ~CTunerTNJ3321PF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL SetVideoStandard(int standard) override;
};
