#pragma once

#include "TunerFamilyModel.h"

// The "PANOSONIC_ENGE4326D" tuner module (type 100).
// Status from its demodulator; a second chip at 0xB6 follows the demodulator's set-up.
class CTunerPANOSONIC_ENGE4326D : public CTunerFamilyModel
{
public:
    explicit CTunerPANOSONIC_ENGE4326D(CI2CAccess* access);
    virtual ~CTunerPANOSONIC_ENGE4326D();

    BOOL GetTvStatus(int* code) override;
    BOOL SetVideoStandard(int standard) override;

private:
    int m_setupMode;                // picks the second chip's mode byte
};
