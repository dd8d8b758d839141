#pragma once

#include "CSimCrossbarPin.h"
#include "CSimFilter.h"

#include <memory>

// "Conexant 2388x_1 Crossbar": S-video 0, tuner 1, composite 2, spare 3 and the three
// audio inputs 4-6, routed to the video and audio decoder outputs in the card. The bridge
// boxes' drivers number their video jacks tuner 0, composite 1, S-video 2; the card keeps
// its own numbering, and the filter translates.
class CSimCrossbarFilter : public CSimFilter, public IAMCrossbar
{
public:
    enum { INPUTS = 7, OUTPUTS = 2 };

    explicit CSimCrossbarFilter(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN

    int GetPinCount() override { return INPUTS + OUTPUTS; }
    CBasePin* GetPin(int index) override;

    // IAMCrossbar
    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override;
    STDMETHODIMP CanRoute(long output, long input) override;
    STDMETHODIMP Route(long output, long input) override;
    STDMETHODIMP get_IsRoutedTo(long output, long* input) override;
    STDMETHODIMP get_CrossbarPinInfo(BOOL isInput, long index, long* related, long* physicalType) override;

    // Takes the card's front end's jack order.
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }
    void* FindInterface(REFIID iid) override;

private:
    void MakeInputPins();
    // The input pin of a card jack, -1 for none.
    long PinOfJack(long jack) const;

    // Guarded by the state lock. The card's jack at each input pin.
    const int* m_order;
    std::unique_ptr<CSimCrossbarPin> m_pins[INPUTS + OUTPUTS];
};
