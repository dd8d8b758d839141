#pragma once

#include "ComIdentity.h"
#include "ComRef.h"
#include "CritSection.h"

#include <dshow.h>

#include <atomic>

class CBasePin;

// A DirectShow filter: IBaseFilter with its Stop/Pause/Run state machine, the graph's
// clock and the filter's place in the graph. Derived filters own their pins, answer
// GetPinCount/GetPin, and do their own work in the state hooks below.
//
// Transitions (all under the state lock; the new state is stored only once its hook
// has succeeded):
//   stopped -> paused:  OnPrepare, then every pin's Active
//   paused  -> running: OnStart, then every pin's RunStarted
//   running -> paused:  OnHalt, then every pin's RunHalted
//   paused  -> stopped: every pin's Inactive, then OnTeardown; after the state lock is
//                       released, every pin's AwaitInactive (streaming threads are joined
//                       outside all locks, so a thread may take the state lock until it ends)
// Pins connect and disconnect only while the filter is stopped.
class CBaseFilter : public CComIdentity, public IBaseFilter, public IAMFilterMiscFlags
{
public:
    CBaseFilter(IUnknown* outer, REFCLSID clsid);
    ~CBaseFilter() override;

    DSHOW_DELEGATING_UNKNOWN

    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD milliseconds, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;
    // IAMFilterMiscFlags, which QueryInterface offers only when this is not 0.
    STDMETHODIMP_(ULONG) GetMiscFlags() override;

    // The pins in index order. Called with the state lock held.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int index) = 0;
    // Changes whenever the pin list does; enumerators compare it. Caller holds the state lock.
    LONG PinVersion() const { return m_pinVersion; }

    // Readable from any thread without the lock (streaming threads must not wait for it).
    FILTER_STATE State() const { return m_state.load(); }
    CCritSection& StateLock() { return m_stateLock; }
    // Caller holds the state lock.
    REFERENCE_TIME StartTime() const { return m_startTime; }
    IReferenceClock* Clock() const { return m_clock.Get(); }

    // Sends an event to the graph's event sink, from any thread. S_FALSE outside a graph.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);

protected:
    // What GetState answers while paused: S_OK for a filter that has its data ready,
    // VFW_S_CANT_CUE for a live source, VFW_S_STATE_INTERMEDIATE while still getting ready.
    virtual HRESULT PausedStateResult() = 0;

    // State hooks, called with the state lock held (see the class comment). The defaults do nothing.
    virtual HRESULT OnPrepare();
    virtual HRESULT OnStart(REFERENCE_TIME start);
    virtual HRESULT OnHalt();
    // Cannot fail: a filter that refused to stop would wedge the graph.
    virtual void OnTeardown();

    // For filters whose pin list changes. Caller holds the state lock.
    void IncrementPinVersion() { ++m_pinVersion; }

    void* FindInterface(REFIID iid) override;

private:
    HRESULT PrepareFromStopped();
    HRESULT HaltRunning();
    HRESULT ActivatePins();

    const CLSID m_clsid;

    // Guards the state transitions, the clock, the start time, the graph, the name, the pin
    // list and every pin's connection. Taken before any lock of a pin or of a derived filter.
    CCritSection m_stateLock;
    std::atomic<FILTER_STATE> m_state{State_Stopped};
    REFERENCE_TIME m_startTime = 0;
    CComRef<IReferenceClock> m_clock;
    // Weak: the graph holds the filter while the filter is in it.
    IFilterGraph* m_graph = nullptr;
    WCHAR m_name[MAX_FILTER_NAME] = {};
    LONG m_pinVersion = 1;

    // Guards m_eventSink only, so streaming threads can send events without the state lock.
    CCritSection m_eventLock;
    // Weak, like m_graph: the graph's own event sink.
    IMediaEventSink* m_eventSink = nullptr;
};
