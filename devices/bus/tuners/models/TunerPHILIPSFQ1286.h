#pragma once

#include "TunerFamilyModel.h"

// The "PHILIPSFQ1286" tuner module (type 96).
// Six-byte tuning messages with a fixed auxiliary byte; status from its demodulator, which takes
// the same bytes in every standard.
class CTunerPHILIPSFQ1286 : public CTunerFamilyModel
{
public:
    explicit CTunerPHILIPSFQ1286(CI2CAccess* access);
    virtual ~CTunerPHILIPSFQ1286();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
