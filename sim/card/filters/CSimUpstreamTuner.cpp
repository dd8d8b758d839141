#include "CSimUpstreamTuner.h"

#include "CSimText.h"
#include "SimGuids.h"

namespace
{
const long AVAILABLE_MODES = AMTUNER_MODE_TV | AMTUNER_MODE_FM_RADIO;
}

CSimUpstreamTuner::CSimUpstreamTuner(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimTuner, "tuner"), m_properties(*this), m_output(*this, L"Analog Video", PINDIR_OUTPUT)
{
}

void* CSimUpstreamTuner::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMTVTuner) || IsEqualIID(iid, IID_IAMTuner))
        return static_cast<IAMTVTuner*>(this);
    if (IsEqualIID(iid, IID_IKsPropertySet) && Card().Family() == SIM_FAMILY_CARD_EX)
        return static_cast<IKsPropertySet*>(&m_properties);
    return CSimFilter::FindInterface(iid);
}

STDMETHODIMP CSimUpstreamTuner::put_Channel(long channel, long videoSubChannel, long audioSubChannel)
{
    m_channel = channel;
    m_videoSub = videoSubChannel;
    m_audioSub = audioSubChannel;
    Card().AddTrace(
        CSimText::Format("Up tuner channel %ld %ld %ld", channel, videoSubChannel, audioSubChannel).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::get_Channel(long* channel, long* videoSubChannel, long* audioSubChannel)
{
    if (channel == nullptr || videoSubChannel == nullptr || audioSubChannel == nullptr)
        return E_POINTER;
    *channel = m_channel;
    *videoSubChannel = m_videoSub;
    *audioSubChannel = m_audioSub;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::ChannelMinMax(long*, long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::put_CountryCode(long country)
{
    m_country = country;
    Card().AddTrace(CSimText::Format("Up tuner country %ld", country).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::get_CountryCode(long* country)
{
    if (country == nullptr)
        return E_POINTER;
    *country = m_country;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::put_TuningSpace(long space)
{
    m_space = space;
    Card().AddTrace(CSimText::Format("Up tuner space %ld", space).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::get_TuningSpace(long* space)
{
    if (space == nullptr)
        return E_POINTER;
    *space = m_space;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::Logon(HANDLE)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::Logout()
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::SignalPresent(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::put_Mode(AMTunerModeType mode)
{
    if ((mode & AVAILABLE_MODES) == 0)
        return E_INVALIDARG;
    m_mode = mode;
    Card().AddTrace(CSimText::Format("Up tuner mode %ld", (long)mode).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::get_Mode(AMTunerModeType* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    *mode = (AMTunerModeType)m_mode;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::GetAvailableModes(long* modes)
{
    if (modes == nullptr)
        return E_POINTER;
    *modes = AVAILABLE_MODES;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTuner::RegisterNotificationCallBack(IAMTunerNotification*, long)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::UnRegisterNotificationCallBack(IAMTunerNotification*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_AvailableTVFormats(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_TVFormat(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::AutoTune(long, long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::StoreAutoTune()
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_NumInputConnections(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::put_InputType(long, TunerInputType)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_InputType(long, TunerInputType*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::put_ConnectInput(long)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_ConnectInput(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_VideoFrequency(long*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTuner::get_AudioFrequency(long*)
{
    return E_NOTIMPL;
}
