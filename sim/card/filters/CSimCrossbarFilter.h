#pragma once

#include "CSimCrossbarPin.h"
#include "CSimFilter.h"

#include <memory>

// "Conexant 2388x_1 Crossbar": S-video 0, tuner 1, composite 2, spare 3 and the three
// audio inputs 4-6, routed to the video and audio decoder outputs in the card. The GO7007
// box's crossbar has its own five inputs (tuner, composite and S-video, then tuner sound and
// one line input), each standing for one of the card's.
class CSimCrossbarFilter : public CSimFilter, public IAMCrossbar
{
public:
    enum { INPUTS = 7, GO_INPUTS = 5, OUTPUTS = 2 };

    explicit CSimCrossbarFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override;
    CBasePin* GetPin(int index) override;

    // IAMCrossbar
    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override;
    STDMETHODIMP CanRoute(long output, long input) override;
    STDMETHODIMP Route(long output, long input) override;
    STDMETHODIMP get_IsRoutedTo(long output, long* input) override;
    STDMETHODIMP get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* physicalType) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    bool IsGoBox();
    // The card's input for one of this crossbar's; -1 stays -1, anything else is left as is.
    LONG CardInput(LONG input);

    std::unique_ptr<CSimCrossbarPin> m_pins[INPUTS + OUTPUTS];
    std::unique_ptr<CSimCrossbarPin> m_goPins[GO_INPUTS + OUTPUTS];
};
