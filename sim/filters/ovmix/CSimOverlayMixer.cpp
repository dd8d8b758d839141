#include "CSimOverlayMixer.h"

#include "CSimVideoConvert.h"
#include "CritGuard.h"

#include <math.h>
#include <stdio.h>
#include <new>

const CLSID CLSID_SimOverlayMixer = { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };

namespace
{
const DWORD COLOUR_FLAGS = DDCOLOR_BRIGHTNESS | DDCOLOR_CONTRAST | DDCOLOR_HUE | DDCOLOR_SATURATION | DDCOLOR_SHARPNESS;
// The neutral settings of the overlay's colour controls.
const LONG NEUTRAL_BRIGHTNESS = 750;
const LONG NEUTRAL_CONTRAST = 10000;
const LONG NEUTRAL_SATURATION = 10000;

int Clamp(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}
}

CSimOverlayMixer::CSimOverlayMixer(IUnknown* outer)
    : CSimStandInFilter(outer, CLSID_SimOverlayMixer, "ovmix", "simovmix:ovmix 1")
    , m_input(*this, L"Input0", PIN_INPUT)
    , m_output(*this, L"Output", PIN_OUTPUT)
{
    m_colorKey.KeyType = CK_RGB;
    m_colours.dwSize = sizeof(m_colours);
    m_colours.dwFlags = COLOUR_FLAGS;
    m_colours.lBrightness = NEUTRAL_BRIGHTNESS;
    m_colours.lContrast = NEUTRAL_CONTRAST;
    m_colours.lSaturation = NEUTRAL_SATURATION;
    m_colours.lSharpness = 5;
}

CBasePin* CSimOverlayMixer::GetPin(int index)
{
    if (index == PIN_INPUT)
        return &m_input;
    return index == PIN_OUTPUT ? &m_output : nullptr;
}

void* CSimOverlayMixer::FindPinInterface(int pin, REFIID iid)
{
    if (pin == PIN_INPUT && (IsEqualIID(iid, IID_IMixerPinConfig) || IsEqualIID(iid, IID_IMixerPinConfig2)))
        return static_cast<IMixerPinConfig2*>(this);
    return nullptr;
}

STDMETHODIMP CSimOverlayMixer::SetRelativePosition(DWORD left, DWORD top, DWORD right, DWORD bottom)
{
    if (left > right || top > bottom || right > 10000 || bottom > 10000)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    m_position = { (LONG)left, (LONG)top, (LONG)right, (LONG)bottom };
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetRelativePosition(DWORD* left, DWORD* top, DWORD* right, DWORD* bottom)
{
    if (left == nullptr || top == nullptr || right == nullptr || bottom == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *left = m_position.left;
    *top = m_position.top;
    *right = m_position.right;
    *bottom = m_position.bottom;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::SetZOrder(DWORD zOrder)
{
    CCritGuard guard(m_settingsLock);
    m_zOrder = zOrder;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetZOrder(DWORD* zOrder)
{
    if (zOrder == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *zOrder = m_zOrder;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::SetColorKey(COLORKEY* colorKey)
{
    if (colorKey == nullptr)
        return E_POINTER;
    if (colorKey->KeyType != CK_RGB)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    m_colorKey = *colorKey;
    Log().Line("K key=%08lX", (unsigned long)m_colorKey.LowColorValue);
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetColorKey(COLORKEY* colorKey, DWORD* color)
{
    if (colorKey == nullptr && color == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    if (colorKey != nullptr)
        *colorKey = m_colorKey;
    if (color != nullptr)
        *color = m_colorKey.LowColorValue;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::SetBlendingParameter(DWORD blending)
{
    if (blending > 255)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    m_blending = blending;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetBlendingParameter(DWORD* blending)
{
    if (blending == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *blending = m_blending;
    return S_OK;
}

// The output keeps the input's size, which the program's pictures already give at 4:3, so
// the mode is kept and shown only by the renderer's window size.
STDMETHODIMP CSimOverlayMixer::SetAspectRatioMode(AM_ASPECT_RATIO_MODE mode)
{
    if (mode < AM_ARMODE_STRETCHED || mode > AM_ARMODE_STRETCHED_AS_PRIMARY)
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    m_ratioMode = mode;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetAspectRatioMode(AM_ASPECT_RATIO_MODE* mode)
{
    if (mode == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *mode = m_ratioMode;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::SetStreamTransparent(BOOL transparent)
{
    CCritGuard guard(m_settingsLock);
    m_transparent = transparent;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetStreamTransparent(BOOL* transparent)
{
    if (transparent == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *transparent = m_transparent;
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::SetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls)
{
    if (controls == nullptr)
        return E_POINTER;
    if (controls->dwSize != sizeof(DDCOLORCONTROL))
        return E_INVALIDARG;
    CCritGuard guard(m_settingsLock);
    char text[200];
    int at = snprintf(text, sizeof(text), "C flags=%lu", (unsigned long)controls->dwFlags);
    struct Field
    {
        DWORD flag;
        const char* name;
        LONG DDCOLORCONTROL::*value;
    };
    static const Field FIELDS[] = {
        { DDCOLOR_BRIGHTNESS, "brightness", &DDCOLORCONTROL::lBrightness },
        { DDCOLOR_CONTRAST, "contrast", &DDCOLORCONTROL::lContrast },
        { DDCOLOR_HUE, "hue", &DDCOLORCONTROL::lHue },
        { DDCOLOR_SATURATION, "saturation", &DDCOLORCONTROL::lSaturation },
        { DDCOLOR_SHARPNESS, "sharpness", &DDCOLORCONTROL::lSharpness },
    };
    for (const Field& field : FIELDS) {
        if ((controls->dwFlags & field.flag) == 0)
            continue;
        m_colours.*field.value = controls->*field.value;
        if (at > 0 && at < (int)sizeof(text))
            at += snprintf(text + at, sizeof(text) - at, " %s=%ld", field.name, (long)(controls->*field.value));
    }
    Log().Line("%s", text);
    return S_OK;
}

STDMETHODIMP CSimOverlayMixer::GetOverlaySurfaceColorControls(LPDDCOLORCONTROL controls)
{
    if (controls == nullptr)
        return E_POINTER;
    CCritGuard guard(m_settingsLock);
    *controls = m_colours;
    return S_OK;
}

HRESULT CSimOverlayMixer::CheckInputType(int, const AM_MEDIA_TYPE& type)
{
    return CSimVideoConvert::CanRead(type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CSimOverlayMixer::GetOutputType(int, int index, CAmMediaType& type)
{
    const VIDEOINFOHEADER* in = CAmMediaType::VideoInfoOf(m_input.ConnectionType());
    if (!m_input.IsConnected() || in == nullptr || index > 0)
        return VFW_S_NO_MORE_ITEMS;
    VIDEOINFOHEADER out = {};
    out.AvgTimePerFrame = in->AvgTimePerFrame;
    out.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    out.bmiHeader.biWidth = in->bmiHeader.biWidth;
    out.bmiHeader.biHeight = labs(in->bmiHeader.biHeight);
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 32;
    out.bmiHeader.biCompression = BI_RGB;
    out.bmiHeader.biSizeImage = (DWORD)out.bmiHeader.biWidth * out.bmiHeader.biHeight * 4;
    return type.SetVideoInfo(MEDIASUBTYPE_RGB32, out);
}

HRESULT CSimOverlayMixer::CheckOutputType(int pin, const AM_MEDIA_TYPE& type)
{
    CAmMediaType offered;
    if (GetOutputType(pin, 0, offered) != S_OK)
        return VFW_E_NOT_CONNECTED;
    const VIDEOINFOHEADER* want = offered.VideoInfo();
    const VIDEOINFOHEADER* got = CAmMediaType::VideoInfoOf(type);
    if (!IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32) || got == nullptr ||
        got->bmiHeader.biWidth != want->bmiHeader.biWidth || got->bmiHeader.biHeight != want->bmiHeader.biHeight)
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CSimOverlayMixer::DecideOutputBuffers(int, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    const VIDEOINFOHEADER* info = CAmMediaType::VideoInfoOf(m_output.ConnectionType());
    if (info == nullptr)
        return E_UNEXPECTED;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = request->cBuffers > 2 ? request->cBuffers : 2;
    LONG size = (LONG)info->bmiHeader.biSizeImage;
    wanted.cbBuffer = request->cbBuffer > size ? request->cbBuffer : size;
    return CBaseOutputPin::RequireBuffers(allocator, wanted);
}

HRESULT CSimOverlayMixer::ReceiveSample(int, IMediaSample* input)
{
    BYTE* data = nullptr;
    if (FAILED(input->GetPointer(&data)) ||
        !CSimVideoConvert::FromSample(m_input.ConnectionType(), data, input->GetActualDataLength(), m_frame))
        return S_OK;
    AdjustColours(m_frame);
    if (!m_output.IsConnected())
        return S_OK;
    CComRef<IMediaSample> output;
    HRESULT hr = m_output.GetDeliveryBuffer(output.Receive(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    long size = m_frame.width * m_frame.height * 4;
    BYTE* out = nullptr;
    output->GetPointer(&out);
    if (output->GetSize() < size)
        return E_UNEXPECTED;
    CSimVideoConvert::ToRgb(m_frame, 32, true, m_frame.width * 4, out);
    output->SetActualDataLength(size);
    REFERENCE_TIME start = 0, stop = 0;
    if (SUCCEEDED(input->GetTime(&start, &stop)))
        output->SetTime(&start, &stop);
    output->SetSyncPoint(TRUE);
    return m_output.Deliver(output.Get());
}

// Brightness shifts Y, contrast scales it, saturation scales the chroma and hue turns it.
void CSimOverlayMixer::AdjustColours(CSimFrame& frame)
{
    DDCOLORCONTROL colours;
    {
        CCritGuard guard(m_settingsLock);
        colours = m_colours;
    }
    if (colours.lBrightness == NEUTRAL_BRIGHTNESS && colours.lContrast == NEUTRAL_CONTRAST &&
        colours.lSaturation == NEUTRAL_SATURATION && colours.lHue == 0)
        return;
    const int shift = (colours.lBrightness - NEUTRAL_BRIGHTNESS) * 255 / 10000;
    const double angle = colours.lHue * 3.14159265358979 / 180.0;
    const double cosine = cos(angle) * colours.lSaturation / NEUTRAL_SATURATION;
    const double sine = sin(angle) * colours.lSaturation / NEUTRAL_SATURATION;
    for (size_t i = 0; i + 3 < frame.Bytes(); i += 4) {
        BYTE* q = &frame.yuy2[i];
        for (int k = 0; k < 4; k += 2)
            q[k] = (BYTE)Clamp((q[k] - 16) * colours.lContrast / NEUTRAL_CONTRAST + 16 + shift);
        double u = q[1] - 128, v = q[3] - 128;
        q[1] = (BYTE)Clamp((int)lround(u * cosine - v * sine) + 128);
        q[3] = (BYTE)Clamp((int)lround(v * cosine + u * sine) + 128);
    }
}

HRESULT CSimOverlayMixer::EndOfInput(int)
{
    return m_output.IsConnected() ? m_output.DeliverEndOfStream() : S_OK;
}

HRESULT CSimOverlayMixer::BeginInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverBeginFlush() : S_OK;
}

HRESULT CSimOverlayMixer::EndInputFlush(int)
{
    return m_output.IsConnected() ? m_output.DeliverEndFlush() : S_OK;
}
