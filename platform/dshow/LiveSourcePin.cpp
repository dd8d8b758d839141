#include "LiveSourcePin.h"

#include "BaseFilter.h"
#include "CritGuard.h"

CLiveSourcePin::CLiveSourcePin(CBaseFilter& filter, const WCHAR* name, const GUID* category)
    : CBaseOutputPin(filter, name, category)
{
}

CLiveSourcePin::~CLiveSourcePin()
{
    // The graph stops filters before releasing them; this only covers a filter
    // destroyed while paused, and cannot protect a derived FillBuffer already gone.
    {
        CCritGuard guard(m_runLock);
        m_stopping = true;
        m_running = false;
    }
    m_wake.Set();
    m_thread.Join();
}

HRESULT CLiveSourcePin::Active()
{
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr) || !IsConnected())
        return hr;
    {
        CCritGuard guard(m_runLock);
        m_stopping = false;
        m_running = false;
        m_elapsedBefore = 0;
    }
    hr = m_thread.Start([this] { StreamMain(); });
    if (FAILED(hr))
        CBaseOutputPin::Inactive();
    return hr;
}

HRESULT CLiveSourcePin::Inactive()
{
    {
        CCritGuard guard(m_runLock);
        m_stopping = true;
        m_running = false;
        m_clock.Reset();
    }
    m_wake.Set();
    return CBaseOutputPin::Inactive();
}

void CLiveSourcePin::AwaitInactive()
{
    m_thread.Join();
}

void CLiveSourcePin::RunStarted(REFERENCE_TIME start)
{
    {
        CCritGuard guard(m_runLock);
        m_running = true;
        ++m_runSerial;
        m_start = start;
        m_clock = Filter().Clock();
        m_counterBase = CounterNow();
    }
    m_wake.Set();
}

void CLiveSourcePin::RunHalted()
{
    {
        CCritGuard guard(m_runLock);
        if (m_running)
            m_elapsedBefore += CounterNow() - m_counterBase;
        m_running = false;
        ++m_runSerial;
    }
    m_wake.Set();
}

void CLiveSourcePin::OnThreadStart()
{
}

void CLiveSourcePin::OnThreadEnd()
{
}

void CLiveSourcePin::StreamMain()
{
    OnThreadStart();
    LONG serial = 0;
    while (WaitForRun(&serial)) {
        if (!DeliverOne())
            IdleUntilRunChanges(serial);
    }
    OnThreadEnd();
}

// False once the pin is to stop.
bool CLiveSourcePin::WaitForRun(LONG* serial)
{
    for (;;) {
        {
            CCritGuard guard(m_runLock);
            if (m_stopping)
                return false;
            if (m_running) {
                *serial = m_runSerial;
                return true;
            }
        }
        m_wake.Wait(INFINITE);
    }
}

void CLiveSourcePin::IdleUntilRunChanges(LONG serial)
{
    while (!RunChanged(serial))
        m_wake.Wait(INFINITE);
}

bool CLiveSourcePin::RunChanged(LONG serial)
{
    CCritGuard guard(m_runLock);
    return m_stopping || !m_running || m_runSerial != serial;
}

// False when delivery should pause until the run changes.
bool CLiveSourcePin::DeliverOne()
{
    CComRef<IMediaSample> sample;
    if (FAILED(GetDeliveryBuffer(sample.Receive(), nullptr, nullptr, 0)))
        return false;
    HRESULT hr = FillBuffer(sample.Get());
    if (hr == S_FALSE)
        return true;
    if (FAILED(hr)) {
        Filter().NotifyEvent(EC_ERRORABORT, hr, 0);
        return false;
    }
    // S_FALSE from the peer asks for no more samples this run.
    return Deliver(sample.Get()) == S_OK;
}

CLiveSourcePin::RunSnapshot CLiveSourcePin::Snapshot()
{
    CCritGuard guard(m_runLock);
    return RunSnapshot{m_running && !m_stopping, m_runSerial, m_start, m_clock, m_elapsedBefore, m_counterBase};
}

HRESULT CLiveSourcePin::WaitForStreamTime(REFERENCE_TIME t)
{
    for (;;) {
        RunSnapshot run = Snapshot();
        if (!run.running)
            return S_FALSE;
        HRESULT hr = run.clock ? WaitOnClock(run, t) : WaitOnCounter(run, t);
        if (hr != S_FALSE || RunChanged(run.serial))
            return hr;
    }
}

HRESULT CLiveSourcePin::GetStreamTime(REFERENCE_TIME* now)
{
    if (!now)
        return E_POINTER;
    RunSnapshot run = Snapshot();
    if (!run.running) {
        *now = 0;
        return S_FALSE;
    }
    *now = StreamTimeOf(run);
    return S_OK;
}

REFERENCE_TIME CLiveSourcePin::StreamTimeOf(const RunSnapshot& run)
{
    if (run.clock) {
        REFERENCE_TIME now = 0;
        run.clock->GetTime(&now);
        return now - run.start;
    }
    return run.elapsedBefore + (CounterNow() - run.counterBase);
}

// S_OK when due, S_FALSE when woken first.
HRESULT CLiveSourcePin::WaitOnClock(const RunSnapshot& run, REFERENCE_TIME t)
{
    m_clockDue.Reset();
    DWORD_PTR cookie = 0;
    HRESULT hr = run.clock->AdviseTime(run.start, t, reinterpret_cast<HEVENT>(m_clockDue.Handle()), &cookie);
    if (FAILED(hr))
        return hr;
    HANDLE events[2] = {m_clockDue.Handle(), m_wake.Handle()};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0)
        return S_OK;
    run.clock->Unadvise(cookie);
    return S_FALSE;
}

// S_OK when due, S_FALSE when woken first.
HRESULT CLiveSourcePin::WaitOnCounter(const RunSnapshot& run, REFERENCE_TIME t)
{
    for (;;) {
        REFERENCE_TIME now = StreamTimeOf(run);
        if (now >= t)
            return S_OK;
        DWORD milliseconds = static_cast<DWORD>((t - now + 9999) / 10000);
        if (m_wake.Wait(milliseconds))
            return S_FALSE;
    }
}

// The performance counter in 100 ns units.
LONGLONG CLiveSourcePin::CounterNow()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    LONGLONG f = frequency.QuadPart;
    return counter.QuadPart / f * 10000000 + counter.QuadPart % f * 10000000 / f;
}
