#pragma once

#include "CSimAudioPin.h"
#include "CSimFilter.h"
#include "CSimMixerPin.h"

// "Conexant 2388x_1 Audio Capture": the card's sound on "Capture", with two input lines
// whose enable and mix level shape it. A live source (VFW_S_CANT_CUE when paused).
class CSimAudioFilter : public CSimFilter
{
public:
    explicit CSimAudioFilter(IUnknown* outer);

    int GetPinCount() override { return 3; }
    CBasePin* GetPin(int index) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }

private:
    CSimAudioPin m_capture;
    CSimMixerPin m_lineIn;
    CSimMixerPin m_lineInEnglish;
};
