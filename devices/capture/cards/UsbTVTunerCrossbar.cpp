#include "UsbTVTunerCrossbar.h"

void CUsbTVTunerCrossbar::SetPinMap()
{
    m_videoTunerInput = 1;
    m_videoCompositeInput = 2;
    m_videoSVideoInput = 3;
    m_audioTunerInput = 4;
    m_audioCompositeInput = 5;
    m_audioSVideoInput = 6;
}
