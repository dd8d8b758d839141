#include "TransformBaseFilter.h"

#include "ComRef.h"
#include "CritGuard.h"

CTransformBaseFilter::CTransformBaseFilter(IUnknown* outer, REFCLSID clsid, const WCHAR* inputName,
                                           const WCHAR* outputName)
    : CBaseFilter(outer, clsid), m_input(*this, inputName), m_output(*this, outputName)
{
}

CTransformBaseFilter::~CTransformBaseFilter() = default;

CBasePin* CTransformBaseFilter::GetPin(int index)
{
    if (index == 0)
        return &m_input;
    return index == 1 ? &m_output : nullptr;
}

void CTransformBaseFilter::OnTeardown()
{
    CCritGuard guard(m_receiveLock);
}

HRESULT CTransformBaseFilter::ProcessSample(IMediaSample* input)
{
    CCritGuard guard(m_receiveLock);
    CComRef<IMediaSample> output;
    HRESULT hr = m_output.GetDeliveryBuffer(output.Receive(), nullptr, nullptr, 0);
    if (FAILED(hr))
        return hr;
    CopySampleProperties(input, output.Get());
    hr = Transform(input, output.Get());
    if (hr != S_OK)
        return FAILED(hr) ? hr : S_OK;
    return m_output.Deliver(output.Get());
}

HRESULT CTransformBaseFilter::PassEndOfStream()
{
    CCritGuard guard(m_receiveLock);
    return m_output.DeliverEndOfStream();
}

HRESULT CTransformBaseFilter::PassEndFlush()
{
    // Waits for the sample in progress, which the flush has made return.
    CCritGuard guard(m_receiveLock);
    return m_output.DeliverEndFlush();
}

void CTransformBaseFilter::CopySampleProperties(IMediaSample* from, IMediaSample* to)
{
    REFERENCE_TIME start = 0, stop = 0;
    HRESULT hr = from->GetTime(&start, &stop);
    if (SUCCEEDED(hr))
        to->SetTime(&start, hr == S_OK ? &stop : nullptr);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (from->GetMediaTime(&mediaStart, &mediaStop) == S_OK)
        to->SetMediaTime(&mediaStart, &mediaStop);
    to->SetSyncPoint(from->IsSyncPoint() == S_OK);
    to->SetDiscontinuity(from->IsDiscontinuity() == S_OK);
    to->SetPreroll(from->IsPreroll() == S_OK);
}
