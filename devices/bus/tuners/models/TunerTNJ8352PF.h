#pragma once

#include "TunerFamilyModel.h"

// The "TNJ8352PF" tuner module (type 132). Status from its demodulator, set per standard group.
class CTunerTNJ8352PF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ8352PF(CI2CAccess* access);
    virtual ~CTunerTNJ8352PF();

    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
