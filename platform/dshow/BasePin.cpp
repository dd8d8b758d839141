#include "BasePin.h"

#include "BaseFilter.h"
#include "CritGuard.h"
#include "CDebugLog.h"
#include "MediaTypeEnumerator.h"

#include <new>
#include <string.h>

CBasePin::CBasePin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction)
    : m_filter(filter), m_name(name), m_direction(direction)
{
}

CBasePin::~CBasePin() = default;

STDMETHODIMP CBasePin::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    void* found = (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) ? static_cast<IPin*>(this)
                                                                              : FindInterface(iid);
    if (!found)
        return E_NOINTERFACE;
    static_cast<IUnknown*>(found)->AddRef();
    *out = found;
    return S_OK;
}

STDMETHODIMP_(ULONG) CBasePin::AddRef()
{
    return m_filter.ControllingUnknown()->AddRef();
}

STDMETHODIMP_(ULONG) CBasePin::Release()
{
    return m_filter.ControllingUnknown()->Release();
}

STDMETHODIMP CBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* pattern)
{
    if (!receivePin)
        return E_POINTER;
    if (m_direction != PINDIR_OUTPUT)
        return E_UNEXPECTED;
    CCritGuard guard(m_filter.StateLock());
    if (m_peer)
        return VFW_E_ALREADY_CONNECTED;
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    PIN_DIRECTION peerDirection;
    HRESULT hr = receivePin->QueryDirection(&peerDirection);
    if (FAILED(hr))
        return hr;
    if (peerDirection != PINDIR_INPUT)
        return VFW_E_INVALID_DIRECTION;
    if (pattern && !CAmMediaType::IsPartial(*pattern))
        return AttemptConnection(receivePin, *pattern);

    // A type both sides accept but that failed later (allocator, peer's own checks) is a
    // better answer than "no acceptable types".
    HRESULT lastFailure = VFW_E_NO_ACCEPTABLE_TYPES;
    if (TryOwnTypes(receivePin, pattern, lastFailure) == S_OK)
        return S_OK;
    if (TryPeerTypes(receivePin, pattern, lastFailure) == S_OK)
        return S_OK;
    return lastFailure;
}

// Caller holds the state lock.
HRESULT CBasePin::TryOwnTypes(IPin* peer, const AM_MEDIA_TYPE* pattern, HRESULT& lastFailure)
{
    CAmMediaType candidate;
    for (int i = 0; GetMediaType(i, candidate) == S_OK; ++i) {
        if (TryCandidate(peer, candidate, pattern, lastFailure) == S_OK)
            return S_OK;
    }
    return S_FALSE;
}

// Caller holds the state lock.
HRESULT CBasePin::TryPeerTypes(IPin* peer, const AM_MEDIA_TYPE* pattern, HRESULT& lastFailure)
{
    CComRef<IEnumMediaTypes> types;
    if (FAILED(peer->EnumMediaTypes(types.Receive())) || !types)
        return S_FALSE;
    AM_MEDIA_TYPE* candidate = nullptr;
    while (types->Next(1, &candidate, nullptr) == S_OK) {
        HRESULT hr = TryCandidate(peer, *candidate, pattern, lastFailure);
        CAmMediaType::Delete(candidate);
        if (hr == S_OK)
            return S_OK;
    }
    return S_FALSE;
}

HRESULT CBasePin::TryCandidate(IPin* peer, const AM_MEDIA_TYPE& candidate, const AM_MEDIA_TYPE* pattern,
                               HRESULT& lastFailure)
{
    if (pattern && !CAmMediaType::MatchesPattern(candidate, *pattern))
        return S_FALSE;
    HRESULT hr = AttemptConnection(peer, candidate);
    if (FAILED(hr) && hr != VFW_E_TYPE_NOT_ACCEPTED)
        lastFailure = hr;
    return hr == S_OK ? S_OK : S_FALSE;
}

// Caller holds the state lock. Leaves the pin unconnected on failure.
HRESULT CBasePin::AttemptConnection(IPin* peer, const AM_MEDIA_TYPE& type)
{
    if (CheckMediaType(type) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_peer = peer;
    HRESULT hr = CheckConnect(peer);
    if (SUCCEEDED(hr))
        hr = SetMediaType(type);
    if (SUCCEEDED(hr)) {
        hr = peer->ReceiveConnection(this, &type);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(peer);
            if (FAILED(hr))
                peer->Disconnect();
        }
    }
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    return S_OK;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type)
{
    if (!connector || !type)
        return E_POINTER;
    if (m_direction != PINDIR_INPUT)
        return E_UNEXPECTED;
    CCritGuard guard(m_filter.StateLock());
    if (m_peer)
        return VFW_E_ALREADY_CONNECTED;
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    PIN_DIRECTION peerDirection;
    HRESULT hr = connector->QueryDirection(&peerDirection);
    if (FAILED(hr))
        return hr;
    if (peerDirection != PINDIR_OUTPUT)
        return VFW_E_INVALID_DIRECTION;
    if (CheckMediaType(*type) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    m_peer = connector;
    hr = CheckConnect(connector);
    if (SUCCEEDED(hr))
        hr = SetMediaType(*type);
    if (SUCCEEDED(hr))
        hr = CompleteConnect(connector);
    if (FAILED(hr)) {
        ClearConnection();
        return hr;
    }
    return S_OK;
}

STDMETHODIMP CBasePin::Disconnect()
{
    CCritGuard guard(m_filter.StateLock());
    if (m_filter.State() != State_Stopped)
        return VFW_E_NOT_STOPPED;
    if (!m_peer)
        return S_FALSE;
    ClearConnection();
    return S_OK;
}

// Caller holds the state lock.
void CBasePin::ClearConnection()
{
    BreakConnect();
    m_peer.Reset();
    m_type.Clear();
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin)
{
    if (!pin)
        return E_POINTER;
    CCritGuard guard(m_filter.StateLock());
    m_peer.CopyTo(pin);
    return m_peer ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    CCritGuard guard(m_filter.StateLock());
    if (!m_peer) {
        memset(type, 0, sizeof(*type));
        return VFW_E_NOT_CONNECTED;
    }
    return CAmMediaType::CopyInto(*type, m_type);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info)
{
    if (!info)
        return E_POINTER;
    info->pFilter = &m_filter;
    info->pFilter->AddRef();
    info->dir = m_direction;
    lstrcpynW(info->achName, m_name.c_str(), MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction)
{
    if (!direction)
        return E_POINTER;
    *direction = m_direction;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id)
{
    if (!id)
        return E_POINTER;
    size_t bytes = (m_name.size() + 1) * sizeof(WCHAR);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id)
        return E_OUTOFMEMORY;
    memcpy(*id, m_name.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    if (!type)
        return E_POINTER;
    CCritGuard guard(m_filter.StateLock());
    return CheckMediaType(*type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types)
{
    if (!types)
        return E_POINTER;
    *types = nullptr;
    auto* enumerator = new (std::nothrow) CMediaTypeEnumerator(*this);
    if (!enumerator)
        return E_OUTOFMEMORY;
    HRESULT hr = enumerator->InnerQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(types));
    enumerator->InnerRelease();
    return hr;
}

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*)
{
    // Documented answer for "every input feeds every output".
    static LONG reported = 0;
    return CDebugLog::NotImplemented("IPin::QueryInternalConnections", reported);
}

STDMETHODIMP CBasePin::EndOfStream()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePin::BeginFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePin::EndFlush()
{
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double)
{
    return E_UNEXPECTED;
}

HRESULT CBasePin::GetMediaType(int index, CAmMediaType&)
{
    return index < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

HRESULT CBasePin::Active()
{
    return S_OK;
}

HRESULT CBasePin::Inactive()
{
    return S_OK;
}

void CBasePin::AwaitInactive()
{
}

void CBasePin::RunStarted(REFERENCE_TIME)
{
}

void CBasePin::RunHalted()
{
}

void* CBasePin::FindInterface(REFIID)
{
    return nullptr;
}

HRESULT CBasePin::CheckConnect(IPin*)
{
    return S_OK;
}

HRESULT CBasePin::SetMediaType(const AM_MEDIA_TYPE& type)
{
    return m_type.Set(type);
}

HRESULT CBasePin::CompleteConnect(IPin*)
{
    return S_OK;
}

void CBasePin::BreakConnect()
{
}
