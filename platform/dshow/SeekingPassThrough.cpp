#include "SeekingPassThrough.h"

#include "BaseFilter.h"
#include "BasePin.h"
#include "CritGuard.h"

CSeekingPassThrough::CSeekingPassThrough(IUnknown& owner, CBasePin& pin)
    : m_owner(owner), m_pin(pin)
{
}

HRESULT CSeekingPassThrough::Upstream(IMediaSeeking** seeking)
{
    *seeking = nullptr;
    CCritGuard guard(m_pin.Filter().StateLock());
    IPin* peer = m_pin.ConnectedPin();
    if (!peer)
        return VFW_E_NOT_CONNECTED;
    if (FAILED(peer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(seeking))))
        return E_NOTIMPL;
    return S_OK;
}

HRESULT CSeekingPassThrough::IsMediaTime(const GUID* format)
{
    if (!format)
        return E_POINTER;
    return IsEqualGUID(*format, TIME_FORMAT_MEDIA_TIME) ? S_OK : S_FALSE;
}

HRESULT CSeekingPassThrough::GiveMediaTime(GUID* format)
{
    if (!format)
        return E_POINTER;
    *format = TIME_FORMAT_MEDIA_TIME;
    return S_OK;
}

STDMETHODIMP CSeekingPassThrough::GetCapabilities(DWORD* capabilities)
{
    return Forward([&](IMediaSeeking* s) { return s->GetCapabilities(capabilities); });
}

STDMETHODIMP CSeekingPassThrough::CheckCapabilities(DWORD* capabilities)
{
    return Forward([&](IMediaSeeking* s) { return s->CheckCapabilities(capabilities); });
}

STDMETHODIMP CSeekingPassThrough::IsFormatSupported(const GUID* format)
{
    return ForwardOr([&](IMediaSeeking* s) { return s->IsFormatSupported(format); },
                     [&] { return IsMediaTime(format); });
}

STDMETHODIMP CSeekingPassThrough::QueryPreferredFormat(GUID* format)
{
    return ForwardOr([&](IMediaSeeking* s) { return s->QueryPreferredFormat(format); },
                     [&] { return GiveMediaTime(format); });
}

STDMETHODIMP CSeekingPassThrough::GetTimeFormat(GUID* format)
{
    return ForwardOr([&](IMediaSeeking* s) { return s->GetTimeFormat(format); },
                     [&] { return GiveMediaTime(format); });
}

STDMETHODIMP CSeekingPassThrough::IsUsingTimeFormat(const GUID* format)
{
    return ForwardOr([&](IMediaSeeking* s) { return s->IsUsingTimeFormat(format); },
                     [&] { return IsMediaTime(format); });
}

STDMETHODIMP CSeekingPassThrough::SetTimeFormat(const GUID* format)
{
    return ForwardOr([&](IMediaSeeking* s) { return s->SetTimeFormat(format); }, [&] {
        HRESULT hr = IsMediaTime(format);
        return hr == S_FALSE ? E_INVALIDARG : hr;
    });
}

STDMETHODIMP CSeekingPassThrough::GetDuration(LONGLONG* duration)
{
    return Forward([&](IMediaSeeking* s) { return s->GetDuration(duration); });
}

STDMETHODIMP CSeekingPassThrough::GetStopPosition(LONGLONG* stop)
{
    return Forward([&](IMediaSeeking* s) { return s->GetStopPosition(stop); });
}

STDMETHODIMP CSeekingPassThrough::GetCurrentPosition(LONGLONG* current)
{
    return Forward([&](IMediaSeeking* s) { return s->GetCurrentPosition(current); });
}

STDMETHODIMP CSeekingPassThrough::ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                                    const GUID* sourceFormat)
{
    return Forward([&](IMediaSeeking* s) { return s->ConvertTimeFormat(target, targetFormat, source, sourceFormat); });
}

STDMETHODIMP CSeekingPassThrough::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags)
{
    return Forward([&](IMediaSeeking* s) { return s->SetPositions(current, currentFlags, stop, stopFlags); });
}

STDMETHODIMP CSeekingPassThrough::GetPositions(LONGLONG* current, LONGLONG* stop)
{
    return Forward([&](IMediaSeeking* s) { return s->GetPositions(current, stop); });
}

STDMETHODIMP CSeekingPassThrough::GetAvailable(LONGLONG* earliest, LONGLONG* latest)
{
    return Forward([&](IMediaSeeking* s) { return s->GetAvailable(earliest, latest); });
}

STDMETHODIMP CSeekingPassThrough::SetRate(double rate)
{
    return Forward([&](IMediaSeeking* s) { return s->SetRate(rate); });
}

STDMETHODIMP CSeekingPassThrough::GetRate(double* rate)
{
    return Forward([&](IMediaSeeking* s) { return s->GetRate(rate); });
}

STDMETHODIMP CSeekingPassThrough::GetPreroll(LONGLONG* preroll)
{
    return Forward([&](IMediaSeeking* s) { return s->GetPreroll(preroll); });
}
