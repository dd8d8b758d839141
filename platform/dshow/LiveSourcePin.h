#pragma once

#include "BaseOutputPin.h"
#include "CritSection.h"
#include "StreamThread.h"
#include "SyncEvent.h"

// The output pin of a live source: its own streaming thread, started when the filter
// pauses and ended when it stops, fills and delivers samples only while the filter runs
// (a live source has nothing to show while paused: its filter's GetState should answer
// VFW_S_CANT_CUE). Time stamps come from the graph clock: stream time is the clock
// minus the run's start time; without a clock the pin paces itself on the performance
// counter, counting only the time spent running.
//
// When the peer refuses a sample, or no buffer can be had, the pin stops delivering until
// the filter next changes state. A FillBuffer failure is also reported to the graph as
// EC_ERRORABORT.
class CLiveSourcePin : public CBaseOutputPin
{
public:
    CLiveSourcePin(CBaseFilter& filter, const WCHAR* name, const GUID* category = nullptr);
    ~CLiveSourcePin() override;

    HRESULT Active() override;
    HRESULT Inactive() override;
    void AwaitInactive() override;
    void RunStarted(REFERENCE_TIME start) override;
    void RunHalted() override;

protected:
    // Fills one sample on the streaming thread and stamps it: S_OK delivers it, S_FALSE
    // drops it (a wait was cut short by Pause or Stop), a failure ends delivery.
    virtual HRESULT FillBuffer(IMediaSample* sample) = 0;
    // On the streaming thread, around its life (per-thread resources).
    virtual void OnThreadStart();
    virtual void OnThreadEnd();

    // Streaming-thread helpers. WaitForStreamTime answers S_OK once the stream time has
    // reached t, S_FALSE when the run halts or the filter stops first.
    HRESULT WaitForStreamTime(REFERENCE_TIME t);
    // S_FALSE (and 0) when not running.
    HRESULT GetStreamTime(REFERENCE_TIME* now);

private:
    struct RunSnapshot
    {
        bool running;
        LONG serial;
        REFERENCE_TIME start;
        CComRef<IReferenceClock> clock;
        REFERENCE_TIME elapsedBefore;
        LONGLONG counterBase;
    };

    void StreamMain();
    bool WaitForRun(LONG* serial);
    void IdleUntilRunChanges(LONG serial);
    bool DeliverOne();
    RunSnapshot Snapshot();
    bool RunChanged(LONG serial);
    REFERENCE_TIME StreamTimeOf(const RunSnapshot& run);
    HRESULT WaitOnClock(const RunSnapshot& run, REFERENCE_TIME t);
    HRESULT WaitOnCounter(const RunSnapshot& run, REFERENCE_TIME t);
    static LONGLONG CounterNow();

    CStreamThread m_thread;
    // Auto-reset. Set by the filter's thread after each change of the run fields below;
    // the streaming thread waits on it (one waiter).
    CSyncEvent m_wake{CSyncEvent::AutoReset};
    // Auto-reset. Set by the graph clock when an advise falls due; the streaming thread waits on it.
    CSyncEvent m_clockDue{CSyncEvent::AutoReset};

    // Guards the run fields, shared by the filter's thread and the streaming thread.
    // Innermost lock: nothing else is taken while it is held.
    CCritSection m_runLock;
    bool m_running = false;
    bool m_stopping = false;
    LONG m_runSerial = 0;
    REFERENCE_TIME m_start = 0;
    CComRef<IReferenceClock> m_clock;
    REFERENCE_TIME m_elapsedBefore = 0; // running time of earlier runs since Pause, without a clock
    LONGLONG m_counterBase = 0;         // performance counter at the current run's start
};
