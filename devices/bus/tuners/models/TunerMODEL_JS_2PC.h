#pragma once

#include "TunerFamilyModel.h"

// The "MODEL_JS_2PC" tuner module (type 12).
// Its demodulator is set per standard group; under SECAM L' it tunes with its own IF.
class CTunerMODEL_JS_2PC : public CTunerFamilyModel
{
public:
    explicit CTunerMODEL_JS_2PC(CI2CAccess* access);
    virtual ~CTunerMODEL_JS_2PC();

    BOOL SetTvFrequency(float kHz) override;
    BOOL SetVideoStandard(int standard) override;

private:
    int m_secamL1If;                // kHz, the IF under SECAM L'
};
