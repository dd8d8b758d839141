#include "BaseInputPin.h"

#include "BaseFilter.h"
#include "CritGuard.h"

CBaseInputPin::CBaseInputPin(CBaseFilter& filter, const WCHAR* name)
    : CBasePin(filter, name, PINDIR_INPUT)
{
}

CBaseInputPin::~CBaseInputPin() = default;

HRESULT CBaseInputPin::CheckStreaming()
{
    if (!IsConnected())
        return VFW_E_NOT_CONNECTED;
    if (m_flushing)
        return S_FALSE;
    if (Filter().State() == State_Stopped)
        return VFW_E_WRONG_STATE;
    if (m_endOfStream)
        return VFW_E_SAMPLE_REJECTED_EOS;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample)
{
    if (!sample)
        return E_POINTER;
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    return OnReceive(sample);
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed)
{
    if (!samples || !processed)
        return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK)
            break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock()
{
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndOfStream()
{
    HRESULT hr = CheckStreaming();
    if (hr != S_OK)
        return hr;
    m_endOfStream = true;
    return OnEndOfStream();
}

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    if (!IsConnected())
        return VFW_E_NOT_CONNECTED;
    m_flushing = true;
    return OnBeginFlush();
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    if (!IsConnected())
        return VFW_E_NOT_CONNECTED;
    HRESULT hr = OnEndFlush();
    // Data after a flush is a new stream: its end has not been seen.
    m_endOfStream = false;
    m_flushing = false;
    return hr;
}

STDMETHODIMP CBaseInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    if (!IsConnected())
        return VFW_E_NOT_CONNECTED;
    return OnNewSegment(start, stop, rate);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator)
{
    if (!allocator)
        return E_POINTER;
    *allocator = nullptr;
    CCritGuard guard(Filter().StateLock());
    if (!m_allocator) {
        HRESULT hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                      m_allocator.ReceiveVoid());
        if (FAILED(hr))
            return hr;
    }
    return m_allocator.CopyTo(allocator);
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    if (!allocator)
        return E_POINTER;
    CCritGuard guard(Filter().StateLock());
    m_allocator = allocator;
    m_readOnly = readOnly != FALSE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*)
{
    // The documented answer for a pin without wishes.
    return E_NOTIMPL;
}

HRESULT CBaseInputPin::Active()
{
    m_endOfStream = false;
    return CBasePin::Active();
}

HRESULT CBaseInputPin::OnEndOfStream()
{
    return S_OK;
}

HRESULT CBaseInputPin::OnBeginFlush()
{
    return S_OK;
}

HRESULT CBaseInputPin::OnEndFlush()
{
    return S_OK;
}

HRESULT CBaseInputPin::OnNewSegment(REFERENCE_TIME, REFERENCE_TIME, double)
{
    return S_OK;
}

void* CBaseInputPin::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IMemInputPin))
        return static_cast<IMemInputPin*>(this);
    return CBasePin::FindInterface(iid);
}

void CBaseInputPin::BreakConnect()
{
    m_allocator.Reset();
    m_readOnly = false;
    CBasePin::BreakConnect();
}
