#pragma once

#include "TunerFamilyModel.h"
#include "XceiveChip.h"

// The "XCEIVE3028SIF" tuner module (type 137): the register-table chip, always addressed
// with 20 ms after each table chunk, strobed on the second control line, the second table
// policy and the chip's own lock register.
class CTunerXCEIVE3028SIF : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE3028SIF(CI2CAccess* access);
    virtual ~CTunerXCEIVE3028SIF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;

private:
    static const XceiveDrive kDrive;

    CXceiveChip m_chip;
};
