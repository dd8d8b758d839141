#pragma once

#include "CrossbarWrapper.h"

// "Conexant Raptor Crossbar": the audio inputs follow two more video inputs.
class CRaptorCrossbar : public CCrossbarWrapper
{
public:
    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override
    {
        m_videoTunerInput = 0;
        m_videoCompositeInput = 1;
        m_videoSVideoInput = 2;
        m_audioTunerInput = 5;
        m_audioCompositeInput = 6;
        m_audioSVideoInput = 7;
    }
};
