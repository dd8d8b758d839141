#pragma once

#include "TunerFamilyModel.h"

// The "FQ1216ME_5" tuner module (type 97).
// Clamped tuning messages, status from its demodulator, set per standard group.
class CTunerFQ1216ME_5 : public CTunerFamilyModel
{
public:
    explicit CTunerFQ1216ME_5(CI2CAccess* access);
    virtual ~CTunerFQ1216ME_5();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
