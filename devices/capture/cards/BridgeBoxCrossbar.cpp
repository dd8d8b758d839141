#include "BridgeBoxCrossbar.h"

void CBridgeBoxCrossbar::SetPinMap()
{
    m_videoTunerInput = 0;
    m_videoCompositeInput = 1;
    m_videoSVideoInput = 2;
    m_audioTunerInput = 4;
    m_audioCompositeInput = 5;
    m_audioSVideoInput = 6;
}
