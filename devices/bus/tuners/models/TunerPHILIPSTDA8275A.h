#pragma once

#include "TunerFamilyModel.h"

// The "PHILIPSTDA8275A" tuner module (type 95).
// A silicon tuner behind its demodulator; tuning and standards need the chip driver.
class CTunerPHILIPSTDA8275A : public CTunerFamilyModel
{
public:
    explicit CTunerPHILIPSTDA8275A(CI2CAccess* access);
    virtual ~CTunerPHILIPSTDA8275A();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
