#pragma once

#include "TunerFamilyModel.h"

// The "JS_6B2" tuner module (type 13).
// Its demodulator is set per standard group; under SECAM L' it tunes with its own IF.
class CTunerJS_6B2 : public CTunerFamilyModel
{
public:
    explicit CTunerJS_6B2(CI2CAccess* access);
    virtual ~CTunerJS_6B2();

    BOOL SetTvFrequency(float kHz) override;
    BOOL SetVideoStandard(int standard) override;

private:
    int m_secamL1If;                // kHz, the IF under SECAM L'
};
