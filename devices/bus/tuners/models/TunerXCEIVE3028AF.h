#pragma once

#include "TunerFamilyModel.h"
#include "XceiveChip.h"

// The "XCEIVE3028AF" tuner module (type 136): the register-table chip, always addressed,
// with the GPIO strobe, the first table policy and the card register's lock.
class CTunerXCEIVE3028AF : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE3028AF(CI2CAccess* access);
    virtual ~CTunerXCEIVE3028AF();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
    BOOL IsSignalLocked(int* locked) override;

private:
    static const XceiveDrive kDrive;

    CXceiveChip m_chip;
};
