#include "CSimCaptureFilter.h"

#include "CSimDriverPage.h"
#include "CSimUpstreamCrossbar.h"
#include "CritGuard.h"
#include "SimGuids.h"

namespace
{
const long AVAILABLE_TV_FORMATS = 0x001FFFF7;
// AnalogVideo_NTSC_M, _NTSC_M_J, _NTSC_433, _PAL_M, _PAL_60.
const long FORMATS_525 = 0x00000001 | 0x00000002 | 0x00000004 | 0x00000200 | 0x00000400;
}

CSimCaptureFilter::CSimCaptureFilter(IUnknown* outer)
    : CSimFilter(outer, CLSID_SimCapture, "capture"), m_properties(*this), m_box(*this),
      m_capture(*this, L"Capture", PIN_CATEGORY_CAPTURE, CSimCard::PIN_CAPTURE),
      m_preview(*this, L"Preview", PIN_CATEGORY_PREVIEW, CSimCard::PIN_PREVIEW), m_goBox(*this),
      m_goCapture(*this, L"Video Capture", PIN_CATEGORY_CAPTURE, "cap"),
      m_goPreview(*this, L"Video Preview", PIN_CATEGORY_PREVIEW, "pre"), m_goAudio(*this, L"Audio Capture"),
      m_input(*this, L"Analog Video In", PINDIR_INPUT)
{
}

CSimCaptureFilter::~CSimCaptureFilter()
{
    if (m_upstream != nullptr) {
        m_upstream->WireOutput(nullptr);
        m_upstream->InnerRelease();
    }
}

STDMETHODIMP CSimCaptureFilter::Load(IPropertyBag* bag, IErrorLog* log)
{
    HRESULT hr = CSimFilter::Load(bag, log);
    if (FAILED(hr))
        return hr;
    // The bag comes as the enumerator makes the filter, before anyone holds a pin.
    CCritGuard guard(StateLock());
    DWORD upstream = Card().Upstream();
    if (m_upstream == nullptr && upstream != SIM_UPSTREAM_NONE) {
        m_upstream = new (std::nothrow) CSimUpstreamCrossbar(Card(), upstream != SIM_UPSTREAM_NO_TUNER);
        if (m_upstream == nullptr)
            return E_OUTOFMEMORY;
        m_upstream->WireOutput(&m_input);
        m_input.Wire(&m_upstream->VideoOutput());
        IncrementPinVersion();
    }
    return hr;
}

int CSimCaptureFilter::GetPinCount()
{
    if (Card().Family() == SIM_FAMILY_GO7007)
        return 3;
    return m_upstream != nullptr ? 3 : 2;
}

CBasePin* CSimCaptureFilter::GetPin(int index)
{
    if (Card().Family() == SIM_FAMILY_GO7007) {
        switch (index) {
        case 0: return &m_goCapture;
        case 1: return &m_goPreview;
        case 2: return &m_goAudio;
        default: return nullptr;
        }
    }
    switch (index) {
    case 0: return &m_capture;
    case 1: return &m_preview;
    case 2: return m_upstream != nullptr ? &m_input : nullptr;
    default: return nullptr;
    }
}

void* CSimCaptureFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IKsPropertySet))
        return static_cast<IKsPropertySet*>(&m_properties);
    if (IsEqualIID(iid, IID_IAMAnalogVideoDecoder))
        return static_cast<IAMAnalogVideoDecoder*>(this);
    if (IsEqualIID(iid, IID_IAMVideoProcAmp))
        return static_cast<IAMVideoProcAmp*>(this);
    DWORD family = Card().Family();
    if (family == SIM_FAMILY_USB2800 && IsEqualIID(iid, IID_ISimBoxProperties))
        return static_cast<ISimBoxProperties*>(&m_box);
    if (family == SIM_FAMILY_GO7007 && IsEqualIID(iid, IID_ISimGoRegisters))
        return m_goBox.Registers();
    if (family == SIM_FAMILY_GO7007 && IsEqualIID(iid, IID_ISimGoProfiles))
        return m_goBox.Profiles();
    if (family == SIM_FAMILY_GO7007 && IsEqualIID(iid, IID_ISimGoMediaType))
        return m_goBox.MediaType();
    if ((family == SIM_FAMILY_USB2800 || family == SIM_FAMILY_USBCAM) && IsEqualIID(iid, IID_ISpecifyPropertyPages))
        return static_cast<ISpecifyPropertyPages*>(this);
    return CSimFilter::FindInterface(iid);
}

STDMETHODIMP CSimCaptureFilter::GetPages(CAUUID* pages)
{
    Card().AddTrace("U pages");
    return CSimDriverPage::List(pages);
}

STDMETHODIMP CSimCaptureFilter::get_AvailableTVFormats(long* formats)
{
    if (formats == nullptr)
        return E_POINTER;
    *formats = AVAILABLE_TV_FORMATS;
    return S_OK;
}

STDMETHODIMP CSimCaptureFilter::put_TVFormat(long format)
{
    HRESULT hr = Card().PutTvFormat(format);
    if (SUCCEEDED(hr)) {
        CCritGuard guard(StateLock());
        m_capture.TvFormatChanged();
        m_preview.TvFormatChanged();
    }
    return hr;
}

STDMETHODIMP CSimCaptureFilter::get_TVFormat(long* format)
{
    if (format == nullptr)
        return E_POINTER;
    return Card().GetTvFormat(format);
}

STDMETHODIMP CSimCaptureFilter::get_HorizontalLocked(long* locked)
{
    if (locked == nullptr)
        return E_POINTER;
    return Card().GetHorizontalLocked(locked);
}

STDMETHODIMP CSimCaptureFilter::put_VCRHorizontalLocking(long locking)
{
    return Card().PutVcrLocking(locking);
}

STDMETHODIMP CSimCaptureFilter::get_VCRHorizontalLocking(long* locking)
{
    if (locking == nullptr)
        return E_POINTER;
    return Card().GetVcrLocking(locking);
}

STDMETHODIMP CSimCaptureFilter::get_NumberOfLines(long* lines)
{
    if (lines == nullptr)
        return E_POINTER;
    long format = 0;
    HRESULT hr = Card().GetTvFormat(&format);
    if (SUCCEEDED(hr))
        *lines = (format & FORMATS_525) != 0 ? 525 : 625;
    return hr;
}

STDMETHODIMP CSimCaptureFilter::put_OutputEnable(long enable)
{
    return Card().PutOutputEnable(enable);
}

STDMETHODIMP CSimCaptureFilter::get_OutputEnable(long* enable)
{
    if (enable == nullptr)
        return E_POINTER;
    return Card().GetOutputEnable(enable);
}

STDMETHODIMP CSimCaptureFilter::GetRange(long property, long* min, long* max, long* step, long* def, long* caps)
{
    if (min == nullptr || max == nullptr || step == nullptr || def == nullptr || caps == nullptr)
        return E_POINTER;
    HRESULT hr = CSimCard::GetProcAmpRange(property, min, max, step, def);
    if (SUCCEEDED(hr))
        *caps = VideoProcAmp_Flags_Manual;
    return hr;
}

STDMETHODIMP CSimCaptureFilter::Set(long property, long value, long)
{
    return Card().SetProcAmp(property, value);
}

STDMETHODIMP CSimCaptureFilter::Get(long property, long* value, long* flags)
{
    if (value == nullptr || flags == nullptr)
        return E_POINTER;
    HRESULT hr = Card().GetProcAmp(property, value);
    if (SUCCEEDED(hr))
        *flags = VideoProcAmp_Flags_Manual;
    return hr;
}
