#pragma once

#include "TunerFamilyModel.h"

// The "FQ1236F" tuner module (type 94).
// Status from its demodulator, which takes the same bytes in every standard.
class CTunerFQ1236F : public CTunerFamilyModel
{
public:
    explicit CTunerFQ1236F(CI2CAccess* access);
    virtual ~CTunerFQ1236F();

    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;
};
