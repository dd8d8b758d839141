#include "CSimUpstreamTvAudio.h"

#include "CSimText.h"

namespace
{
// {9B1C5A2E-5E4F-4C52-8D1B-0F3B7E6A2C41}: the class the object names, made by no factory.
const CLSID CLSID_SimTvAudio = { 0x9B1C5A2E, 0x5E4F, 0x4C52, { 0x8D, 0x1B, 0x0F, 0x3B, 0x7E, 0x6A, 0x2C, 0x41 } };
const long MODES = AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO;
}

CSimUpstreamTvAudio::CSimUpstreamTvAudio(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimTvAudio, "tvaudio"), m_output(*this, L"TVAudio Out", PINDIR_OUTPUT)
{
}

void* CSimUpstreamTvAudio::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMTVAudio))
        return static_cast<IAMTVAudio*>(this);
    return CSimFilter::FindInterface(iid);
}

STDMETHODIMP CSimUpstreamTvAudio::GetHardwareSupportedTVAudioModes(long* modes)
{
    if (modes == nullptr)
        return E_POINTER;
    *modes = MODES;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTvAudio::GetAvailableTVAudioModes(long* modes)
{
    return GetHardwareSupportedTVAudioModes(modes);
}

STDMETHODIMP CSimUpstreamTvAudio::get_TVAudioMode(long* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    *mode = m_mode;
    return S_OK;
}

STDMETHODIMP CSimUpstreamTvAudio::put_TVAudioMode(long mode)
{
    if ((mode & ~MODES) != 0)
        return E_INVALIDARG;
    m_mode = mode;
    Card().AddTrace(CSimText::Format("Up tvaudio mode %ld", mode).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamTvAudio::RegisterNotificationCallBack(IAMTunerNotification*, long)
{
    return E_NOTIMPL;
}

STDMETHODIMP CSimUpstreamTvAudio::UnRegisterNotificationCallBack(IAMTunerNotification*)
{
    return E_NOTIMPL;
}
