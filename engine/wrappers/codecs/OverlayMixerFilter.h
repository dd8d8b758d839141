#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"
#include "mpconfig.h"

#include <memory>

// The Overlay Mixer of every preview with the overlay in use: letterbox, colour key and the
// overlay's colour controls, through the pin configuration of its input "Input0". Without that pin
// or interface the wrapper is still valid and the colour operations answer FALSE.
class COverlayMixerFilter : public CFilterWrapper
{
public:
    COverlayMixerFilter(CGraphBuilder* graph, REFCLSID clsid);
    COverlayMixerFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~COverlayMixerFilter() override;

    BOOL Init() override;

    enum { kControlCount = 5 };

    BOOL SetLetterbox(BOOL on);
    BOOL IsLetterbox(BOOL* on);
    BOOL SetColorKey(COLORREF color);
    BOOL GetColorKey(COLORREF* color);
    // index: 0 brightness, 1 contrast, 2 hue, 3 saturation, 4 sharpness.
    BOOL SetColorControl(int index, LONG value);
    BOOL GetColorControl(int index, LONG* value);
    // The fixed range of a control; any pointer may be null.
    BOOL GetColorControlRange(int index, LONG* minimum, LONG* maximum, LONG* standard);

private:
    CComRef<IMixerPinConfig2> m_config;
    // Present only while m_config is: the block sent with each colour control.
    std::unique_ptr<DDCOLORCONTROL> m_colours;
};
