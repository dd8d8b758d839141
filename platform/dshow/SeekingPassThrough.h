#pragma once

#include <dshow.h>

class CBasePin;

// IMediaSeeking answered by the upstream filter of an input pin: every call goes to the
// seeking interface of the output pin it is connected to. A filter that ends a stream
// (a sink, a multiplexer) offers one so the graph counts it among the filters whose end
// of stream completes the run. Wine's graph counts it only when it supports media time,
// so the time-format calls are answered here (media time only) when the upstream pin
// cannot seek, as live sources cannot. Part of its owner's COM object: IUnknown goes there.
class CSeekingPassThrough : public IMediaSeeking
{
public:
    CSeekingPassThrough(IUnknown& owner, CBasePin& pin);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return m_owner.QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner.Release(); }

    STDMETHODIMP GetCapabilities(DWORD* capabilities) override;
    STDMETHODIMP CheckCapabilities(DWORD* capabilities) override;
    STDMETHODIMP IsFormatSupported(const GUID* format) override;
    STDMETHODIMP QueryPreferredFormat(GUID* format) override;
    STDMETHODIMP GetTimeFormat(GUID* format) override;
    STDMETHODIMP IsUsingTimeFormat(const GUID* format) override;
    STDMETHODIMP SetTimeFormat(const GUID* format) override;
    STDMETHODIMP GetDuration(LONGLONG* duration) override;
    STDMETHODIMP GetStopPosition(LONGLONG* stop) override;
    STDMETHODIMP GetCurrentPosition(LONGLONG* current) override;
    STDMETHODIMP ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                   const GUID* sourceFormat) override;
    STDMETHODIMP SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    STDMETHODIMP GetPositions(LONGLONG* current, LONGLONG* stop) override;
    STDMETHODIMP GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
    STDMETHODIMP SetRate(double rate) override;
    STDMETHODIMP GetRate(double* rate) override;
    STDMETHODIMP GetPreroll(LONGLONG* preroll) override;

private:
    // The upstream seeking interface, AddRef'd: VFW_E_NOT_CONNECTED without a peer,
    // E_NOTIMPL when the peer cannot seek.
    HRESULT Upstream(IMediaSeeking** seeking);
    static HRESULT IsMediaTime(const GUID* format);
    static HRESULT GiveMediaTime(GUID* format);

    template <class Call>
    HRESULT Forward(Call call)
    {
        IMediaSeeking* upstream = nullptr;
        HRESULT hr = Upstream(&upstream);
        if (FAILED(hr))
            return hr;
        hr = call(upstream);
        upstream->Release();
        return hr;
    }

    // Forwards, or when nothing upstream can seek answers with local().
    template <class Call, class Local>
    HRESULT ForwardOr(Call call, Local local)
    {
        IMediaSeeking* upstream = nullptr;
        if (FAILED(Upstream(&upstream)))
            return local();
        HRESULT hr = call(upstream);
        upstream->Release();
        return hr;
    }

    // Weak: both are the owner's or its members.
    IUnknown& m_owner;
    CBasePin& m_pin;
};
