#include "UsbTVTunerCrossbar.h"

#include "UsbDeviceAccess.h"

BOOL CUsbTVTunerCrossbar::SelectInput(int source)
{
    if (!CCrossbarWrapper::SelectInput(source))
        return FALSE;
    BYTE code = source == kComposite ? kSourceComposite : source == kSVideo ? kSourceSVideo : kSourceTuner;
    CUsbDeviceAccess box;
    if (!box.Open(BoxName()))
        return FALSE;
    BOOL written = box.WriteRegisterOk(kVideoSourceRegister, 1, &code);
    box.Close();
    return written;
}

void CUsbTVTunerCrossbar::SetPinMap()
{
    m_videoTunerInput = 1;
    m_videoCompositeInput = 2;
    m_videoSVideoInput = 3;
    m_audioTunerInput = 4;
    m_audioCompositeInput = 5;
    m_audioSVideoInput = 6;
}
