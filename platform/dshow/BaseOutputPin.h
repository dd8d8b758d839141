#pragma once

#include "BasePin.h"
#include "PinCategorySet.h"

#include <memory>

// An output pin that delivers through the peer's IMemInputPin. On connection it takes the
// peer's allocator, or a memory allocator of its own when the peer offers none or refuses
// our sizes, with DecideBufferSize setting the sizes. The allocator is committed while the
// filter is paused or running. Given a category, the pin also answers IKsPropertySet's
// pin category.
class CBaseOutputPin : public CBasePin
{
public:
    CBaseOutputPin(CBaseFilter& filter, const WCHAR* name, const GUID* category = nullptr);
    ~CBaseOutputPin() override;

    HRESULT Active() override;
    // Decommitting also frees a thread blocked in GetDeliveryBuffer.
    HRESULT Inactive() override;

    // For the streaming thread, between Active and Inactive.
    HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    // For DecideBufferSize: sets wanted on the allocator, E_FAIL when it grants fewer
    // or smaller buffers.
    static HRESULT RequireBuffers(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wanted);

protected:
    // Sets the allocator's buffers. request holds the peer's wishes (zeros when it has
    // none, alignment at least 1). Called with the state lock held while connecting.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    HRESULT CheckConnect(IPin* peer) override;
    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    void* FindInterface(REFIID iid) override;

private:
    HRESULT DecideAllocator();
    HRESULT OfferAllocator(IMemAllocator* allocator, const ALLOCATOR_PROPERTIES& wishes);

    // Set while connected (see CBasePin::IsConnected for who may read them when).
    CComRef<IMemInputPin> m_peerInput;
    CComRef<IMemAllocator> m_allocator;
    std::unique_ptr<CPinCategorySet> m_category;
};
