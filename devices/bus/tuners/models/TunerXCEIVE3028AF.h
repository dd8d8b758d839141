#pragma once

#include "TunerFamilyModel.h"

// The "XCEIVE3028AF" tuner module (type 136).
// A register-table tuner chip: tuning, status and standards need the chip driver.
class CTunerXCEIVE3028AF : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE3028AF(CI2CAccess* access);
    virtual ~CTunerXCEIVE3028AF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
    BOOL IsSignalLocked(int* locked) override;
};
