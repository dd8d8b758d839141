#include "CSimUpstreamCrossbar.h"

#include "CSimText.h"
#include "CSimUpstreamTuner.h"
#include "CSimUpstreamTvAudio.h"
#include "CritGuard.h"
#include "SimGuids.h"

#include <new>

namespace
{
const long PHYSICAL_TYPES[] = { PhysConn_Video_Tuner, PhysConn_Audio_Tuner, PhysConn_Video_VideoDecoder,
                                PhysConn_Audio_AudioDecoder };
}

CSimUpstreamCrossbar::CSimUpstreamCrossbar(CSimCard& card, bool withTuner)
    : CSimFilter(nullptr, CLSID_SimCrossbar, "crossbar"),
      m_pins{ { *this, L"Video Tuner In", PINDIR_INPUT },
              { *this, L"Audio Tuner In", PINDIR_INPUT },
              { *this, L"Video Decoder Out", PINDIR_OUTPUT },
              { *this, L"Audio Decoder Out", PINDIR_OUTPUT } },
      m_tuner(withTuner ? new (std::nothrow) CSimUpstreamTuner(nullptr) : nullptr),
      m_tvAudio(new (std::nothrow) CSimUpstreamTvAudio(nullptr))
{
    ShareCard(card);
    if (m_tuner != nullptr) {
        m_tuner->ShareCard(card);
        m_tuner->Output().Wire(&m_pins[VIDEO_IN]);
        m_pins[VIDEO_IN].Wire(&m_tuner->Output());
    }
    if (m_tvAudio != nullptr) {
        m_tvAudio->ShareCard(card);
        m_tvAudio->Output().Wire(&m_pins[AUDIO_IN]);
        m_pins[AUDIO_IN].Wire(&m_tvAudio->Output());
    }
}

CSimUpstreamCrossbar::~CSimUpstreamCrossbar()
{
    // Whoever still holds the tuner or the TV audio finds them wired to nothing.
    if (m_tuner != nullptr) {
        m_tuner->Output().Wire(nullptr);
        m_tuner->InnerRelease();
    }
    if (m_tvAudio != nullptr) {
        m_tvAudio->Output().Wire(nullptr);
        m_tvAudio->InnerRelease();
    }
}

CBasePin* CSimUpstreamCrossbar::GetPin(int index)
{
    return index >= 0 && index < PINS ? &m_pins[index] : nullptr;
}

void* CSimUpstreamCrossbar::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IAMCrossbar))
        return static_cast<IAMCrossbar*>(this);
    return CSimFilter::FindInterface(iid);
}

STDMETHODIMP CSimUpstreamCrossbar::get_PinCounts(long* outputs, long* inputs)
{
    if (outputs == nullptr || inputs == nullptr)
        return E_POINTER;
    *outputs = OUTPUTS;
    *inputs = INPUTS;
    return S_OK;
}

STDMETHODIMP CSimUpstreamCrossbar::CanRoute(long output, long input)
{
    if (output < 0 || output >= OUTPUTS || input < -1 || input >= INPUTS)
        return E_INVALIDARG;
    // Video to video, audio to audio.
    return input == -1 || input == output ? S_OK : S_FALSE;
}

STDMETHODIMP CSimUpstreamCrossbar::Route(long output, long input)
{
    HRESULT hr = CanRoute(output, input);
    if (hr != S_OK)
        return hr == S_FALSE ? E_FAIL : hr;
    {
        CCritGuard guard(StateLock());
        m_routes[output] = input;
    }
    Card().AddTrace(CSimText::Format("Up crossbar route out=%ld in=%ld", output, input).c_str());
    return S_OK;
}

STDMETHODIMP CSimUpstreamCrossbar::get_IsRoutedTo(long output, long* input)
{
    if (input == nullptr)
        return E_POINTER;
    if (output < 0 || output >= OUTPUTS)
        return E_INVALIDARG;
    CCritGuard guard(StateLock());
    *input = m_routes[output];
    return S_OK;
}

STDMETHODIMP CSimUpstreamCrossbar::get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* type)
{
    if (related == nullptr || type == nullptr)
        return E_POINTER;
    if (index < 0 || index >= (isInput ? INPUTS : OUTPUTS))
        return E_INVALIDARG;
    long pin = isInput ? index : INPUTS + index;
    *type = PHYSICAL_TYPES[pin];
    *related = index == 0 ? 1 : 0;
    return S_OK;
}
