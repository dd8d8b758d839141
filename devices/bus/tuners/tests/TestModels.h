#pragma once

#include "TunerModel.h"

// A module with an FM part, as the module classes describe one: TV band bytes A0/90/30,
// FM 87000 to 108000 kHz with a 10700 kHz IF, FM control and band bytes 8A/A5.
class FmTunerModel : public CTunerModel
{
public:
    explicit FmTunerModel(CI2CAccess* access) : CTunerModel(access)
    {
        m_lowBandByte = 0xA0;
        m_midBandByte = 0x90;
        m_highBandByte = 0x30;
        m_fmSupported = TRUE;
        m_fmLow = 87000;
        m_fmHigh = 108000;
        m_fmIf = 10700;
        m_fmControlByte = 0x8A;
        m_fmBandByte = 0xA5;
    }
};

// A module whose in-tune code is also its "-62.5 kHz" code (status codes 4 2 1 1 0).
class SharedCodeTunerModel : public CTunerModel
{
public:
    explicit SharedCodeTunerModel(CI2CAccess* access) : CTunerModel(access)
    {
        m_afcCodeUp125 = 4;
        m_afcCodeUp62 = 2;
        m_inTuneCode = 1;
        m_afcCodeDown62 = 1;
        m_afcCodeDown125 = 0;
    }
};
