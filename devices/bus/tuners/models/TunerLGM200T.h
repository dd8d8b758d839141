#pragma once

#include "TunerFamilyModel.h"

// The "LGM200T" tuner module (type 72). Its demodulator is set per standard.
class CTunerLGM200T : public CTunerFamilyModel
{
public:
    explicit CTunerLGM200T(CI2CAccess* access);
    virtual ~CTunerLGM200T();

    BOOL SetVideoStandard(int standard) override;
};
