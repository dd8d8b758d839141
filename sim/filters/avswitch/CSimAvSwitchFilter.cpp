#include "CSimAvSwitchFilter.h"

#include <new>
#include <string.h>

const CLSID CLSID_SimAvSwitch = { 0x15D81FE9, 0x49E4, 0x436B, { 0xA5, 0x2E, 0x72, 0x74, 0xE3, 0xEB, 0x41, 0x40 } };

CSimAvSwitchFilter::CSimAvSwitchFilter(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimAvSwitch, "avswitch", "AVSwitch:avswitch 1")
    , m_videoIn(*this, L"Video Input", PIN_VIDEO_IN)
    , m_videoOut(*this, L"Video Output", PIN_VIDEO_OUT)
    , m_audioIn(*this, L"Audio Input", PIN_AUDIO_IN)
    , m_audioOut(*this, L"Audio Output", PIN_AUDIO_OUT)
{
}

CBasePin* CSimAvSwitchFilter::GetPin(int index)
{
    switch (index) {
    case PIN_VIDEO_IN:
        return &m_videoIn;
    case PIN_VIDEO_OUT:
        return &m_videoOut;
    case PIN_AUDIO_IN:
        return &m_audioIn;
    case PIN_AUDIO_OUT:
        return &m_audioOut;
    default:
        return nullptr;
    }
}

void* CSimAvSwitchFilter::FindFilterInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAvSwitch))
        return static_cast<IAvSwitch*>(this);
    return CSimStandInFilter::FindFilterInterface(iid);
}

STDMETHODIMP CSimAvSwitchFilter::GetAudioMute(VARIANT_BOOL* mute)
{
    if (mute == nullptr)
        return E_POINTER;
    *mute = m_mute ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP CSimAvSwitchFilter::SetAudioMute(VARIANT_BOOL mute)
{
    m_mute = mute != VARIANT_FALSE;
    Log().Line("M mute=%d", (int)m_mute);
    return S_OK;
}

HRESULT CSimAvSwitchFilter::CheckInputType(int pin, const AM_MEDIA_TYPE& type)
{
    if (pin == PIN_VIDEO_IN)
        return CAmMediaType::VideoInfoOf(type) != nullptr ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    const WAVEFORMATEX* wave = CAmMediaType::WaveFormatOf(type);
    return wave != nullptr && wave->wFormatTag == WAVE_FORMAT_PCM ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimAvSwitchFilter::GetOutputType(int pin, int index, CAmMediaType& type)
{
    CSimInputPin& input = InputOf(pin);
    if (!input.IsConnected() || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    return type.Set(input.ConnectionType());
}

HRESULT CSimAvSwitchFilter::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CSimInputPin& input = InputOf(pin);
    if (!input.IsConnected())
        return VFW_E_NOT_CONNECTED;
    return input.ConnectionType().Equals(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// The switch hands on the upstream filter's samples: its own allocator is only a formality.
HRESULT CSimAvSwitchFilter::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 1 ? request->cBuffers : 1;
    wanted.cbBuffer = request->cbBuffer > 1 ? request->cbBuffer : 1;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimAvSwitchFilter::ReceiveSample(int pin, IMediaSample* sample)
{
    CSimOutputPin& output = OutputOf(pin);
    if (pin == PIN_AUDIO_IN && m_mute) {
        BYTE* data = nullptr;
        if (SUCCEEDED(sample->GetPointer(&data)))
            memset(data, 0, sample->GetActualDataLength());
    }
    Log().Sample("R %s %ld", pin == PIN_VIDEO_IN ? "video" : "audio", sample->GetActualDataLength());
    return output.IsConnected() ? output.Deliver(sample) : S_OK;
}

HRESULT CSimAvSwitchFilter::EndOfInput(int pin)
{
    CSimOutputPin& output = OutputOf(pin);
    return output.IsConnected() ? output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimAvSwitchFilter::BeginInputFlush(int pin)
{
    CSimOutputPin& output = OutputOf(pin);
    return output.IsConnected() ? output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimAvSwitchFilter::EndInputFlush(int pin)
{
    CSimOutputPin& output = OutputOf(pin);
    return output.IsConnected() ? output.DeliverEndFlush() : S_OK;
}
