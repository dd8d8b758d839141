#include "BaseOutputPin.h"

CBaseOutputPin::CBaseOutputPin(CBaseFilter& filter, const WCHAR* name, const GUID* category)
    : CBasePin(filter, name, PINDIR_OUTPUT)
{
    if (category)
        m_category.reset(new CPinCategorySet(*this, *category));
}

CBaseOutputPin::~CBaseOutputPin() = default;

HRESULT CBaseOutputPin::Active()
{
    return m_allocator ? m_allocator->Commit() : S_OK;
}

HRESULT CBaseOutputPin::Inactive()
{
    return m_allocator ? m_allocator->Decommit() : S_OK;
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags)
{
    if (!sample)
        return E_POINTER;
    *sample = nullptr;
    if (!m_allocator)
        return VFW_E_NO_ALLOCATOR;
    return m_allocator->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample)
{
    return m_peerInput ? m_peerInput->Receive(sample) : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    IPin* peer = ConnectedPin();
    return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush()
{
    IPin* peer = ConnectedPin();
    return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush()
{
    IPin* peer = ConnectedPin();
    return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    IPin* peer = ConnectedPin();
    return peer ? peer->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::RequireBuffers(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wanted)
{
    ALLOCATOR_PROPERTIES request = wanted;
    ALLOCATOR_PROPERTIES granted = {};
    HRESULT hr = allocator->SetProperties(&request, &granted);
    if (FAILED(hr))
        return hr;
    if (granted.cBuffers < wanted.cBuffers || granted.cbBuffer < wanted.cbBuffer)
        return E_FAIL;
    return S_OK;
}

HRESULT CBaseOutputPin::CheckConnect(IPin* peer)
{
    HRESULT hr = CBasePin::CheckConnect(peer);
    if (FAILED(hr))
        return hr;
    return peer->QueryInterface(IID_IMemInputPin, m_peerInput.ReceiveVoid());
}

HRESULT CBaseOutputPin::CompleteConnect(IPin* peer)
{
    HRESULT hr = CBasePin::CompleteConnect(peer);
    if (FAILED(hr))
        return hr;
    return DecideAllocator();
}

void CBaseOutputPin::BreakConnect()
{
    m_allocator.Reset();
    m_peerInput.Reset();
    CBasePin::BreakConnect();
}

// Caller holds the state lock.
HRESULT CBaseOutputPin::DecideAllocator()
{
    ALLOCATOR_PROPERTIES wishes = {};
    // Most peers have no wishes and say E_NOTIMPL; zeros stand for "none".
    if (FAILED(m_peerInput->GetAllocatorRequirements(&wishes)))
        wishes = ALLOCATOR_PROPERTIES{};
    if (wishes.cbAlign < 1)
        wishes.cbAlign = 1;

    CComRef<IMemAllocator> allocator;
    HRESULT hr = m_peerInput->GetAllocator(allocator.Receive());
    if (SUCCEEDED(hr) && allocator) {
        hr = OfferAllocator(allocator.Get(), wishes);
        if (SUCCEEDED(hr))
            return hr;
    }
    hr = CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                          allocator.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    return OfferAllocator(allocator.Get(), wishes);
}

// Caller holds the state lock.
HRESULT CBaseOutputPin::OfferAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wishes)
{
    ALLOCATOR_PROPERTIES request = wishes;
    HRESULT hr = DecideBufferSize(allocator, &request);
    if (FAILED(hr))
        return hr;
    hr = m_peerInput->NotifyAllocator(allocator, FALSE);
    if (FAILED(hr))
        return hr;
    m_allocator = allocator;
    return S_OK;
}

void* CBaseOutputPin::FindInterface(REFIID iid)
{
    if (m_category && IsEqualIID(iid, IID_IKsPropertySet))
        return static_cast<IKsPropertySet*>(m_category.get());
    return CBasePin::FindInterface(iid);
}
