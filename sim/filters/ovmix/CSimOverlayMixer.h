#pragma once

#include "AmMediaType.h"
#include "CSimFrame.h"
#include "CSimInputPin.h"
#include "CSimOutputPin.h"
#include "CSimStandInFilter.h"
#include "CritSection.h"
#include "mpconfig.h"

// The Overlay Mixer's own class, {CD8743A1-3736-11D0-9E69-00C04FD7C15B}.
extern const CLSID CLSID_SimOverlayMixer;

// The Overlay Mixer as the program uses it: one picture on "Input0" goes to the renderer on
// "Output" as RGB32, with the overlay's colour controls applied. "Input0" carries the
// mixer's pin configuration (IMixerPinConfig2), whose settings the filter keeps. There is no
// overlay surface under Wine, so the colour key is kept, not drawn. Pause means ready.
class CSimOverlayMixer : public CSimStandInFilter, public IMixerPinConfig2
{
public:
    explicit CSimOverlayMixer(IUnknown* outer);

    DSHOW_DELEGATING_UNKNOWN


    int GetPinCount() override { return 2; }
    CBasePin* GetPin(int index) override;

    // IMixerPinConfig
    STDMETHODIMP SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom) override;
    STDMETHODIMP GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom) override;
    STDMETHODIMP SetZOrder(DWORD zOrder) override;
    STDMETHODIMP GetZOrder(DWORD* zOrder) override;
    STDMETHODIMP SetColorKey(COLORKEY* colorKey) override;
    STDMETHODIMP GetColorKey(COLORKEY* colorKey, DWORD* color) override;
    STDMETHODIMP SetBlendingParameter(DWORD blending) override;
    STDMETHODIMP GetBlendingParameter(DWORD* blending) override;
    STDMETHODIMP SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) override;
    STDMETHODIMP GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode) override;
    STDMETHODIMP SetStreamTransparent(BOOL transparent) override;
    STDMETHODIMP GetStreamTransparent(BOOL* transparent) override;
    // IMixerPinConfig2
    STDMETHODIMP SetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls) override;
    STDMETHODIMP GetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls) override;

    HRESULT CheckInputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT ReceiveSample(int pin, IMediaSample* sample) override;
    HRESULT EndOfInput(int pin) override;
    HRESULT BeginInputFlush(int pin) override;
    HRESULT EndInputFlush(int pin) override;
    HRESULT CheckOutputType(int pin, const AM_MEDIA_TYPE& type) override;
    HRESULT GetOutputType(int pin, int index, CAmMediaType& type) override;
    HRESULT DecideOutputBuffers(int pin, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void* FindPinInterface(int pin, REFIID iid) override;

protected:
    HRESULT PausedStateResult() override { return S_OK; }

private:
    enum { PIN_INPUT, PIN_OUTPUT };

    void AdjustColours(CSimFrame& frame);

    CSimInputPin m_input;
    CSimOutputPin m_output;

    // Guards the settings below; taken by the streaming thread for the colour controls.
    CCritSection m_settingsLock;
    RECT m_position = { 0, 0, 10000, 10000 };
    DWORD m_zOrder = 0;
    COLORKEY m_colorKey = {};
    DWORD m_blending = 255;
    AM_ASPECT_RATIO_MODE m_ratioMode = AM_ARMODE_STRETCHED;
    BOOL m_transparent = FALSE;
    DDCOLORCONTROL m_colours = {};

    // Used by the streaming thread only.
    CSimFrame m_frame;
};
