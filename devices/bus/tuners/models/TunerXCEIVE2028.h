#pragma once

#include "TunerFamilyModel.h"
#include "XceiveChip.h"

// The "XCEIVE2028" tuner module (type 91): a register-table tuner chip whose framing,
// strobe, table policy and lock reading follow the owner device's access mode.
class CTunerXCEIVE2028 : public CTunerFamilyModel
{
public:
    explicit CTunerXCEIVE2028(CI2CAccess* access);
    virtual ~CTunerXCEIVE2028();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
    BOOL IsSignalLocked(int* locked) override;

    // The tables the two capture classes that call it load as they open.
    BOOL LoadBaseTables();

protected:
    // The type id of a derived module on the same chip.
    CTunerXCEIVE2028(CI2CAccess* access, int typeId);

private:
    // Access modes that change how the chip is driven.
    enum { kModeUnaddressed = 0, kModeCardRegister = 12, kModeNoStrobe = 13, kModeCardRegister2 = 14 };

    XceiveDrive Drive() const;

    CXceiveChip m_chip;
};
