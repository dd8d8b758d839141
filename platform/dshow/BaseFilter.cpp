#include "BaseFilter.h"

#include "BasePin.h"
#include "CritGuard.h"
#include "CDebugLog.h"
#include "PinEnumerator.h"

#include <new>
#include <vector>

CBaseFilter::CBaseFilter(IUnknown* outer, REFCLSID clsid)
    : CComIdentity(outer), m_clsid(clsid)
{
}

CBaseFilter::~CBaseFilter() = default;

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Stop()
{
    std::vector<CComRef<CBasePin>> stopped;
    {
        CCritGuard guard(m_stateLock);
        if (m_state == State_Stopped)
            return S_OK;
        if (m_state == State_Running) {
            HRESULT hr = HaltRunning();
            if (FAILED(hr))
                return hr;
        }
        for (int i = 0; i < GetPinCount(); ++i) {
            CBasePin* pin = GetPin(i);
            pin->Inactive();
            stopped.emplace_back(pin);
        }
        OnTeardown();
        m_state = State_Stopped;
    }
    for (auto& pin : stopped)
        pin->AwaitInactive();
    return S_OK;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CCritGuard guard(m_stateLock);
    switch (m_state.load()) {
    case State_Stopped:
        return PrepareFromStopped();
    case State_Running:
        return HaltRunning();
    default:
        return S_OK;
    }
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start)
{
    CCritGuard guard(m_stateLock);
    if (m_state == State_Running)
        return S_OK;
    if (m_state == State_Stopped) {
        HRESULT hr = PrepareFromStopped();
        if (FAILED(hr))
            return hr;
    }
    HRESULT hr = OnStart(start);
    if (FAILED(hr))
        return hr;
    m_startTime = start;
    m_state = State_Running;
    for (int i = 0; i < GetPinCount(); ++i)
        GetPin(i)->RunStarted(start);
    return S_OK;
}

// Caller holds the state lock; the filter is stopped.
HRESULT CBaseFilter::PrepareFromStopped()
{
    HRESULT hr = OnPrepare();
    if (FAILED(hr))
        return hr;
    hr = ActivatePins();
    if (FAILED(hr)) {
        OnTeardown();
        return hr;
    }
    m_state = State_Paused;
    return S_OK;
}

// Caller holds the state lock; the filter is running.
HRESULT CBaseFilter::HaltRunning()
{
    HRESULT hr = OnHalt();
    if (FAILED(hr))
        return hr;
    m_state = State_Paused;
    for (int i = 0; i < GetPinCount(); ++i)
        GetPin(i)->RunHalted();
    return S_OK;
}

// Caller holds the state lock. On failure the pins already made active are made
// inactive again; their streaming threads are still idle (nothing streams before Run),
// so joining them here under the lock is safe.
HRESULT CBaseFilter::ActivatePins()
{
    int count = GetPinCount();
    for (int i = 0; i < count; ++i) {
        HRESULT hr = GetPin(i)->Active();
        if (FAILED(hr)) {
            for (int j = 0; j < i; ++j)
                GetPin(j)->Inactive();
            for (int j = 0; j < i; ++j)
                GetPin(j)->AwaitInactive();
            return hr;
        }
    }
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state)
        return E_POINTER;
    CCritGuard guard(m_stateLock);
    *state = m_state;
    return m_state == State_Paused ? PausedStateResult() : S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock)
{
    CCritGuard guard(m_stateLock);
    m_clock = clock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock)
{
    CCritGuard guard(m_stateLock);
    return m_clock.CopyTo(clock);
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins)
{
    if (!pins)
        return E_POINTER;
    *pins = nullptr;
    auto* enumerator = new (std::nothrow) CPinEnumerator(*this);
    if (!enumerator)
        return E_OUTOFMEMORY;
    HRESULT hr = enumerator->InnerQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(pins));
    enumerator->InnerRelease();
    return hr;
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!pin)
        return E_POINTER;
    *pin = nullptr;
    if (!id)
        return E_POINTER;
    CCritGuard guard(m_stateLock);
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* candidate = GetPin(i);
        if (lstrcmpW(candidate->Name(), id) == 0) {
            *pin = candidate;
            candidate->AddRef();
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info)
        return E_POINTER;
    CCritGuard guard(m_stateLock);
    lstrcpynW(info->achName, m_name, MAX_FILTER_NAME);
    info->pGraph = m_graph;
    if (m_graph)
        m_graph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    CCritGuard guard(m_stateLock);
    m_graph = graph;
    lstrcpynW(m_name, name ? name : L"", MAX_FILTER_NAME);
    IMediaEventSink* sink = nullptr;
    if (graph && SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))))
        sink->Release(); // kept weak, like the graph itself
    CCritGuard eventGuard(m_eventLock);
    m_eventSink = sink;
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* info)
{
    if (info)
        *info = nullptr;
    static LONG reported = 0;
    return CDebugLog::NotImplemented("IBaseFilter::QueryVendorInfo", reported);
}

STDMETHODIMP_(ULONG) CBaseFilter::GetMiscFlags()
{
    return 0;
}

HRESULT CBaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2)
{
    CComRef<IMediaEventSink> sink;
    {
        CCritGuard guard(m_eventLock);
        sink = m_eventSink;
    }
    if (!sink)
        return S_FALSE;
    return sink->Notify(code, param1, param2);
}

HRESULT CBaseFilter::OnPrepare()
{
    return S_OK;
}

HRESULT CBaseFilter::OnStart(REFERENCE_TIME)
{
    return S_OK;
}

HRESULT CBaseFilter::OnHalt()
{
    return S_OK;
}

void CBaseFilter::OnTeardown()
{
}

void* CBaseFilter::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IPersist))
        return static_cast<IPersist*>(this);
    if (IsEqualIID(iid, IID_IMediaFilter))
        return static_cast<IMediaFilter*>(this);
    if (IsEqualIID(iid, IID_IBaseFilter))
        return static_cast<IBaseFilter*>(this);
    if (IsEqualIID(iid, IID_IAMFilterMiscFlags) && GetMiscFlags() != 0)
        return static_cast<IAMFilterMiscFlags*>(this);
    return CComIdentity::FindInterface(iid);
}
