#pragma once

#include "TunerFamilyModel.h"

// The "TNJ7752JFF_MK5" tuner module (type 68).
// Status from its demodulator, set per standard group; the demodulator also serves the radio.
class CTunerTNJ7752JFF_MK5 : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ7752JFF_MK5(CI2CAccess* access);
    virtual ~CTunerTNJ7752JFF_MK5();

    BOOL SetFmFrequency(float kHz) override;
    BOOL GetFmStatus(int* code) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
