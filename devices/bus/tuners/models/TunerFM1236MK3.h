#pragma once

#include "TunerFamilyModel.h"

// The "FM1236MK3" tuner module (type 98).
// Status from its demodulator, which takes the same bytes in every standard and also serves the
// radio.
class CTunerFM1236MK3 : public CTunerFamilyModel
{
public:
    explicit CTunerFM1236MK3(CI2CAccess* access);
    virtual ~CTunerFM1236MK3();

    BOOL SetFmFrequency(float kHz) override;
    BOOL GetFmStatus(int* code) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
