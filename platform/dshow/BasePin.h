#pragma once

#include "AmMediaType.h"
#include "ComRef.h"

#include <dshow.h>

#include <string>

class CBaseFilter;

// One pin of a CBaseFilter: IPin with connection negotiation. An output pin connects by
// offering its own media types first, then the peer's; an input pin accepts what its
// CheckMediaType accepts. By default the pin's references are its filter's, since the
// filter owns its pins; a pin that can outlive its place in the filter (one the filter
// removes at run time) overrides AddRef and Release with its own count.
class CBasePin : public IPin
{
public:
    CBasePin(CBaseFilter& filter, const WCHAR* name, PIN_DIRECTION direction);
    virtual ~CBasePin();
    CBasePin(const CBasePin&) = delete;
    CBasePin& operator=(const CBasePin&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    // The streaming calls belong to input pins (CBaseInputPin); an output pin refuses them.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // Media types, called with the filter's state lock held. CheckMediaType answers S_OK
    // for a type the pin accepts. GetMediaType fills the preferred type number index:
    // E_INVALIDARG below 0, VFW_S_NO_MORE_ITEMS past the last.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
    virtual HRESULT GetMediaType(int index, CAmMediaType& type);
    // Changes whenever the list GetMediaType gives does; enumerators compare it.
    LONG MediaTypeVersion() const { return m_typeVersion; }

    // Called by the filter under its state lock as it changes state (see CBaseFilter),
    // except AwaitInactive, which runs after the lock is released.
    virtual HRESULT Active();
    virtual HRESULT Inactive();
    virtual void AwaitInactive();
    virtual void RunStarted(REFERENCE_TIME start);
    virtual void RunHalted();

    CBaseFilter& Filter() const { return m_filter; }
    const WCHAR* Name() const { return m_name.c_str(); }
    PIN_DIRECTION Direction() const { return m_direction; }
    // The connection changes only while the filter is stopped, under its state lock; a
    // streaming thread may read it without the lock while the filter is paused or running.
    bool IsConnected() const { return m_peer.Get() != nullptr; }
    IPin* ConnectedPin() const { return m_peer.Get(); }
    const CAmMediaType& ConnectionType() const { return m_type; }

protected:
    // The interface this pin serves for iid (not AddRef'd) or null; IUnknown and IPin
    // are answered before this is asked. Overrides ask their base class last.
    virtual void* FindInterface(REFIID iid);

    // Connection hooks, called with the filter's state lock held, in this order:
    // CheckConnect (may the peer be connected at all), SetMediaType (the chosen type;
    // the base stores it), CompleteConnect (both sides agree; the output pin picks its
    // allocator here). When any step fails, or on Disconnect, BreakConnect undoes them
    // while the peer is still known; after a failed step it must undo only what was done.
    virtual HRESULT CheckConnect(IPin* peer);
    virtual HRESULT SetMediaType(const AM_MEDIA_TYPE& type);
    virtual HRESULT CompleteConnect(IPin* peer);
    virtual void BreakConnect();

    // The list GetMediaType gives has changed. Caller holds the state lock.
    void MediaTypesChanged() { InterlockedIncrement(&m_typeVersion); }

private:
    HRESULT AttemptConnection(IPin* peer, const AM_MEDIA_TYPE& type);
    HRESULT TryOwnTypes(IPin* peer, const AM_MEDIA_TYPE* pattern, HRESULT& lastFailure);
    HRESULT TryPeerTypes(IPin* peer, const AM_MEDIA_TYPE* pattern, HRESULT& lastFailure);
    HRESULT TryCandidate(IPin* peer, const AM_MEDIA_TYPE& candidate, const AM_MEDIA_TYPE* pattern,
                         HRESULT& lastFailure);
    void ClearConnection();

    // Weak: the filter owns the pin.
    CBaseFilter& m_filter;
    const std::wstring m_name;
    const PIN_DIRECTION m_direction;
    // Guarded by the filter's state lock (see IsConnected for readers on streaming threads).
    CComRef<IPin> m_peer;
    CAmMediaType m_type;
    LONG m_typeVersion = 1;
};
