#pragma once

#include "CrossbarWrapper.h"

// "BlackBird Crossbar": two layouts, told apart by the pin count.
class CBlackbirdCrossbar : public CCrossbarWrapper
{
public:
    enum { kShortLayoutPins = 7 };

    using CCrossbarWrapper::CCrossbarWrapper;

    void SetPinMap() override
    {
        const bool shortLayout = GetPinCount() == kShortLayoutPins;
        m_videoTunerInput = shortLayout ? 0 : 1;
        m_videoCompositeInput = 2;
        m_videoSVideoInput = shortLayout ? 1 : 0;
        m_audioTunerInput = shortLayout ? 3 : 4;
        m_audioCompositeInput = shortLayout ? 4 : 5;
        m_audioSVideoInput = shortLayout ? -1 : 6;
    }
};
