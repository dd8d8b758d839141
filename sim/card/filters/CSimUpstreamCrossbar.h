#pragma once

#include "CSimFilter.h"
#include "CSimWiredPin.h"

class CSimUpstreamTuner;
class CSimUpstreamTvAudio;

// The crossbar object a driver wires before its capture filter's input pin, with its TV
// tuner (unless the card has none) and its TV-audio object wired to its tuner inputs. It
// holds them; none of them is registered, so only a search upstream of the capture filter
// finds them. Routes go into the card's trace.
class CSimUpstreamCrossbar : public CSimFilter, public IAMCrossbar
{
public:
    // Not in a graph; the objects share the card of the filter that makes them.
    CSimUpstreamCrossbar(CSimCard& card, bool withTuner);
    ~CSimUpstreamCrossbar() override;

    DSHOW_DELEGATING_UNKNOWN

    // Wires the video output to the capture filter's input pin, or cuts it (null).
    void WireOutput(IPin* capture) { m_pins[VIDEO_OUT].Wire(capture); }
    CSimWiredPin& VideoOutput() { return m_pins[VIDEO_OUT]; }

    int GetPinCount() override { return PINS; }
    CBasePin* GetPin(int index) override;

    // IAMCrossbar: two inputs (video tuner, audio tuner), two outputs (video, audio decoder).
    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override;
    STDMETHODIMP CanRoute(long output, long input) override;
    STDMETHODIMP Route(long output, long input) override;
    STDMETHODIMP get_IsRoutedTo(long output, long* input) override;
    STDMETHODIMP get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* type) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    enum { VIDEO_IN = 0, AUDIO_IN = 1, VIDEO_OUT = 2, AUDIO_OUT = 3, PINS = 4, OUTPUTS = 2, INPUTS = 2 };

    CSimWiredPin m_pins[PINS];
    CSimUpstreamTuner* m_tuner;
    CSimUpstreamTvAudio* m_tvAudio;
    long m_routes[OUTPUTS] = { VIDEO_IN, AUDIO_IN };
};
