#include "TVSystem.h"

#include "AudioCaptureDevice.h"

void CTVSystem::SetDeviceMute(BOOL on)
{
    CAudioCaptureDevice* device = m_graph.GetAudioCaptureDevice();
    if (device)
        device->SetMute(on);
}
