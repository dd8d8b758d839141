#pragma once

#include "CrossbarWrapper.h"

// "Quorvex MPEG-2 Box Crossbar": only a crossbar of more than five pins has tuner inputs;
// neither layout has an S-video audio input.
class CMpeg2BoxCrossbar : public CCrossbarWrapper
{
public:
    enum { kTunerLayoutAbovePins = 5 };

    using CCrossbarWrapper::CCrossbarWrapper;

    BOOL HasTuner() const { return GetPinCount() > kTunerLayoutAbovePins; }

    void SetPinMap() override
    {
        const bool tuner = HasTuner() != FALSE;
        m_videoTunerInput = tuner ? 2 : -1;
        m_videoCompositeInput = 0;
        m_videoSVideoInput = 1;
        m_audioTunerInput = tuner ? 4 : -1;
        m_audioCompositeInput = tuner ? 3 : 2;
        m_audioSVideoInput = -1;
    }
};
