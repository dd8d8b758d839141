#pragma once

#include "TunerFamilyModel.h"

// The "XCEIVE2028" tuner module (type 91).
// A register-table tuner chip: tuning, status and standards need the chip driver.
class CTunerXCEIVE2028 : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE2028(CI2CAccess* access);
    virtual ~CTunerXCEIVE2028();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
    BOOL IsSignalLocked(int* locked) override;

protected:
    // The type id of a derived module on the same chip.
    CTunerXCEIVE2028(CI2CAccess* access, int typeId);
};
