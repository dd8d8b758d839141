#pragma once

#include "Go7007CrossbarBase.h"

// "UT400 CrossBar": composite and S-video share one audio input.
class CGo7007Crossbar : public CGo7007CrossbarBase
{
public:
    using CGo7007CrossbarBase::CGo7007CrossbarBase;

    void SetPinMap() override
    {
        m_videoTunerInput = 0;
        m_videoCompositeInput = 1;
        m_videoSVideoInput = 2;
        m_audioTunerInput = 3;
        m_audioCompositeInput = 4;
        m_audioSVideoInput = 4;
    }
};
