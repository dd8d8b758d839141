#pragma once

#include "TunerFamilyModel.h"

// The "TNJ8852CFF" tuner module (type 70).
// Status from its demodulator, set per standard group; the demodulator also serves the radio.
class CTunerTNJ8852CFF : public CTunerFamilyModel
{
public:
    explicit CTunerTNJ8852CFF(CI2CAccess* access);
    virtual ~CTunerTNJ8852CFF();

    BOOL SetFmFrequency(float kHz) override;
    BOOL GetFmStatus(int* code) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
