#include "CrossbarWrapper.h"

BOOL CCrossbarWrapper::Init()
{
    if (!CFilterWrapper::Init())
        return FALSE;
    SetPinMap();
    return TRUE;
}

void CCrossbarWrapper::SetPinMap()
{
    m_videoTunerInput = 0;
    m_videoCompositeInput = 1;
    m_videoSVideoInput = 2;
    m_audioTunerInput = 3;
    m_audioCompositeInput = 4;
    m_audioSVideoInput = 5;
}

BOOL CCrossbarWrapper::SelectInput(int source)
{
    int input = source == kComposite ? m_videoCompositeInput
              : source == kSVideo    ? m_videoSVideoInput
                                     : m_videoTunerInput;
    return RouteCrossbar(input, kVideoOutput);
}

BOOL CCrossbarWrapper::SelectAudioInput(int source)
{
    int input = source == kComposite ? m_audioCompositeInput
              : source == kSVideo    ? m_audioSVideoInput
                                     : m_audioTunerInput;
    return RouteCrossbar(input, kAudioOutput);
}

BOOL CCrossbarWrapper::RouteCrossbar(int input, int output)
{
    CComRef<IAMCrossbar> crossbar;
    if (!GetFilter() || FAILED(GetFilter()->QueryInterface(IID_IAMCrossbar, crossbar.ReceiveVoid())))
        return FALSE;
    long outputs = 0, inputs = 0;
    if (FAILED(crossbar->get_PinCounts(&outputs, &inputs)))
        return FALSE;
    if (input < 0 || input >= inputs || output < 0 || output >= outputs)
        return FALSE;
    return crossbar->Route(output, input) == S_OK;
}
