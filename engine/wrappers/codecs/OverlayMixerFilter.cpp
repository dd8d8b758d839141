#include "OverlayMixerFilter.h"

#include "FilterPin.h"

COverlayMixerFilter::COverlayMixerFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

COverlayMixerFilter::COverlayMixerFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

COverlayMixerFilter::~COverlayMixerFilter() = default;

BOOL COverlayMixerFilter::Init()
{
    m_config.Reset();
    m_colours.reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    CFilterPin* input = FindPin("Input0");
    if (input == NULL || FAILED(input->GetPin()->QueryInterface(IID_IMixerPinConfig2, m_config.ReceiveVoid())))
        return TRUE;
    m_colours.reset(new DDCOLORCONTROL());
    m_colours->dwSize = sizeof(DDCOLORCONTROL);
    return TRUE;
}

namespace
{
struct ColourControl
{
    DWORD flag;
    LONG DDCOLORCONTROL::*field;
    LONG minimum;
    LONG maximum;
    LONG standard;
};

const ColourControl CONTROLS[COverlayMixerFilter::kControlCount] = {
    // flag                field                          min   max    default
    { DDCOLOR_BRIGHTNESS, &DDCOLORCONTROL::lBrightness,   0,    10000, 750 },
    { DDCOLOR_CONTRAST,   &DDCOLORCONTROL::lContrast,     0,    20000, 10000 },
    { DDCOLOR_HUE,        &DDCOLORCONTROL::lHue,          -180, 180,   0 },
    { DDCOLOR_SATURATION, &DDCOLORCONTROL::lSaturation,   0,    20000, 10000 },
    { DDCOLOR_SHARPNESS,  &DDCOLORCONTROL::lSharpness,    0,    10,    5 },
};
}

BOOL COverlayMixerFilter::SetLetterbox(BOOL on)
{
    return m_config && SUCCEEDED(m_config->SetAspectRatioMode(on ? AM_ARMODE_LETTER_BOX : AM_ARMODE_STRETCHED));
}

BOOL COverlayMixerFilter::IsLetterbox(BOOL* on)
{
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;
    if (!m_config || on == NULL || FAILED(m_config->GetAspectRatioMode(&mode)))
        return FALSE;
    *on = mode == AM_ARMODE_LETTER_BOX;
    return TRUE;
}

BOOL COverlayMixerFilter::SetColorKey(COLORREF color)
{
    if (!m_config)
        return FALSE;
    COLORKEY key = {};
    key.KeyType = CK_RGB;
    key.PaletteIndex = 0;
    key.LowColorValue = color;
    key.HighColorValue = color;
    return SUCCEEDED(m_config->SetColorKey(&key));
}

BOOL COverlayMixerFilter::GetColorKey(COLORREF* color)
{
    COLORKEY key = {};
    DWORD value = 0;
    if (!m_config || color == NULL || FAILED(m_config->GetColorKey(&key, &value)))
        return FALSE;
    *color = key.LowColorValue;
    return TRUE;
}

BOOL COverlayMixerFilter::SetColorControl(int index, LONG value)
{
    if (!m_config || m_colours == NULL || index < 0 || index >= kControlCount)
        return FALSE;
    m_colours->dwFlags = CONTROLS[index].flag;
    (*m_colours).*CONTROLS[index].field = value;
    return SUCCEEDED(m_config->SetOverlaySurfaceColorControls(m_colours.get()));
}

BOOL COverlayMixerFilter::GetColorControl(int index, LONG* value)
{
    if (!m_config || m_colours == NULL || value == NULL || index < 0 || index >= kControlCount)
        return FALSE;
    m_colours->dwFlags = CONTROLS[index].flag;
    if (FAILED(m_config->GetOverlaySurfaceColorControls(m_colours.get())))
        return FALSE;
    *value = (*m_colours).*CONTROLS[index].field;
    return TRUE;
}

BOOL COverlayMixerFilter::GetColorControlRange(int index, LONG* minimum, LONG* maximum, LONG* standard)
{
    if (!m_config || m_colours == NULL || index < 0 || index >= kControlCount)
        return FALSE;
    if (minimum != NULL)
        *minimum = CONTROLS[index].minimum;
    if (maximum != NULL)
        *maximum = CONTROLS[index].maximum;
    if (standard != NULL)
        *standard = CONTROLS[index].standard;
    return TRUE;
}
