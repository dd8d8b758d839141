#pragma once

// The Overlay Mixer's pin configuration interfaces, which mingw-w64 declares by IID only
// (IID_IMixerPinConfig and IID_IMixerPinConfig2 in uuids.h, defined in strmiids). Declared
// here once, from the documented interfaces, for both the program and the stand-in mixer.
#include <ddraw.h>
#include <dshow.h>

typedef enum _AM_ASPECT_RATIO_MODE {
    AM_ARMODE_STRETCHED = 0,
    AM_ARMODE_LETTER_BOX = 1,
    AM_ARMODE_CROP = 2,
    AM_ARMODE_STRETCHED_AS_PRIMARY = 3
} AM_ASPECT_RATIO_MODE;

struct IMixerPinConfig : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetZOrder(DWORD zOrder) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* zOrder) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(COLORKEY* colorKey) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(COLORKEY* colorKey, DWORD* color) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD blending) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD* blending) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL transparent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL* transparent) = 0;
};

struct IMixerPinConfig2 : public IMixerPinConfig
{
    virtual HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IMixerPinConfig, 0x593cdde1, 0x0759, 0x11d1, 0x9e, 0x69, 0x00, 0xc0, 0x4f, 0xd7, 0xc1, 0x5b)
__CRT_UUID_DECL(IMixerPinConfig2, 0xebf47182, 0x8764, 0x11d1, 0x9e, 0x69, 0x00, 0xc0, 0x4f, 0xd7, 0xc1, 0x5b)
#endif
