#pragma once

#include "TunerFamilyModel.h"

// The "FQ1216ME" tuner module (type 93).
// Six-byte tuning messages, status from its demodulator, set per standard group.
class CTunerFQ1216ME : public CTunerFamilyModel
{
public:
    explicit CTunerFQ1216ME(CI2CAccess* access);
    virtual ~CTunerFQ1216ME();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
