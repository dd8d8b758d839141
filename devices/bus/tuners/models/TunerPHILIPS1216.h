#pragma once

#include "TunerFamilyModel.h"

// The "PHILIPS1216" tuner module (type 92).
// Six-byte tuning messages with its own IF under SECAM L', status from its demodulator, set per
// standard group, and a radio of its own.
class CTunerPHILIPS1216 : public CTunerFamilyModel
{
public:
    explicit CTunerPHILIPS1216(CI2CAccess* access);
    virtual ~CTunerPHILIPS1216();

    BOOL SetFmFrequency(float kHz) override;
    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;

private:
    BOOL SetUpRadio();
};
