#pragma once

#include "SiliconTuner.h"
#include "TunerFamilyModel.h"
#include "TunerI2CSink.h"

// The "PHILIPSTDA8275A" tuner module (type 95): a silicon tuner behind its demodulator,
// driven by CSiliconTuner over the model's bus.
class CTunerPHILIPSTDA8275A : public CTunerFamilyModel
{
public:
    explicit CTunerPHILIPSTDA8275A(CI2CAccess* access);
    virtual ~CTunerPHILIPSTDA8275A();

    BOOL SetTvFrequency(float kHz) override;
    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;

private:
    void InitialiseOnce();

    CTunerI2CSink m_sink;
    CSiliconTuner m_chip;
    BOOL m_initialised;
};
