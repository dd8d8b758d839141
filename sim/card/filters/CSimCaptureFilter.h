#pragma once

#include "CSimBoxProperties.h"
#include "CSimCardPropertySet.h"
#include "CSimFilter.h"
#include "CSimGoBox.h"
#include "CSimMpegPin.h"
#include "CSimAudioPin.h"
#include "CSimVideoPin.h"
#include "CSimWiredPin.h"

class CSimUpstreamCrossbar;

// "Conexant 2388x_1 Video Capture": the card's video decoder and its two video pins.
// A live source: paused, it has nothing to show (VFW_S_CANT_CUE). IAMStreamConfig is on
// the pins only, since capture graph builders ask the filter before its pins. On a USB box
// the filter also carries the box's private interface; a box's and a camera's filter have
// property pages. The GO7007 box's filter has its MPEG pins and its audio pin instead, and the
// box's interfaces. A driver that wires its crossbar, tuner and TV-audio objects before the
// capture filter gives it an input pin wired to that crossbar.
class CSimCaptureFilter : public CSimFilter, public IAMAnalogVideoDecoder, public IAMVideoProcAmp,
                          public ISpecifyPropertyPages
{
public:
    explicit CSimCaptureFilter(IUnknown* outer);
    ~CSimCaptureFilter() override;

    DSHOW_DELEGATING_UNKNOWN

    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;

    int GetPinCount() override;
    CBasePin* GetPin(int index) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

    // IAMAnalogVideoDecoder
    STDMETHODIMP get_AvailableTVFormats(long* formats) override;
    STDMETHODIMP put_TVFormat(long format) override;
    STDMETHODIMP get_TVFormat(long* format) override;
    STDMETHODIMP get_HorizontalLocked(long* locked) override;
    STDMETHODIMP put_VCRHorizontalLocking(long locking) override;
    STDMETHODIMP get_VCRHorizontalLocking(long* locking) override;
    STDMETHODIMP get_NumberOfLines(long* lines) override;
    STDMETHODIMP put_OutputEnable(long enable) override;
    STDMETHODIMP get_OutputEnable(long* enable) override;

    // IAMVideoProcAmp
    STDMETHODIMP GetRange(long property, long* min, long* max, long* step, long* def, long* caps) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;

    // ISpecifyPropertyPages: the simulated driver's page.
    STDMETHODIMP GetPages(CAUUID* pages) override;

protected:
    HRESULT PausedStateResult() override { return VFW_S_CANT_CUE; }
    void* FindInterface(REFIID iid) override;

private:
    CSimCardPropertySet m_properties;
    CSimBoxProperties m_box;
    CSimVideoPin m_capture;
    CSimVideoPin m_preview;
    CSimGoBox m_goBox;
    CSimMpegPin m_goCapture;
    CSimMpegPin m_goPreview;
    CSimAudioPin m_goAudio;
    CSimWiredPin m_input;
    CSimUpstreamCrossbar* m_upstream = nullptr;
};
