#pragma once

#include "TunerFamilyModel.h"

// The "XCEIVE3028SIF" tuner module (type 137).
// A register-table tuner chip: tuning, status and standards need the chip driver.
class CTunerXCEIVE3028SIF : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE3028SIF(CI2CAccess* access);
    virtual ~CTunerXCEIVE3028SIF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
