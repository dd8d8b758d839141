#pragma once

#include "BasePin.h"

#include <atomic>

// An input pin receiving samples through IMemInputPin. The streaming calls run the
// pin's checks, then the On* hooks, on the upstream filter's streaming thread (flushes
// on the application's thread). The base serialises nothing: a filter whose hooks share
// state with each other or with Stop guards it with its own receive lock.
class CBaseInputPin : public CBasePin, public IMemInputPin
{
public:
    CBaseInputPin(CBaseFilter& filter, const WCHAR* name);
    ~CBaseInputPin() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return CBasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return CBasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return CBasePin::Release(); }

    // IPin streaming calls
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    // A new run starts with no end of stream seen.
    HRESULT Active() override;

    bool IsFlushing() const { return m_flushing; }
    // Whether the upstream pin shares these buffers with others (NotifyAllocator's flag).
    bool IsReadOnly() const { return m_readOnly; }

protected:
    // S_OK when a sample may be taken now; else what Receive answers: VFW_E_NOT_CONNECTED,
    // S_FALSE while flushing, VFW_E_WRONG_STATE while stopped, VFW_E_SAMPLE_REJECTED_EOS
    // after the end of stream.
    HRESULT CheckStreaming();

    // A sample that passed CheckStreaming.
    virtual HRESULT OnReceive(IMediaSample* sample) = 0;
    // The end of stream, once per run, unless flushing.
    virtual HRESULT OnEndOfStream();
    // Flushing: pass them on downstream. The defaults do nothing.
    virtual HRESULT OnBeginFlush();
    virtual HRESULT OnEndFlush();
    virtual HRESULT OnNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    void* FindInterface(REFIID iid) override;
    void BreakConnect() override;

private:
    // Guarded by the filter's state lock: set while connecting.
    CComRef<IMemAllocator> m_allocator;
    bool m_readOnly = false;
    // Set on the application's thread, read on the streaming thread.
    std::atomic<bool> m_flushing{false};
    std::atomic<bool> m_endOfStream{false};
};
