#pragma once

#include <afx.h>

// A periodic callback without a window: a thread timer of the thread that starts it, found
// again at each tick through one process-wide table from timer id to object. Ticks arrive only
// while that thread dispatches messages.
class CTimerObject
{
public:
    // Negative: stop the timer; 0 or more: go on.
    typedef int (*Callback)();

    CTimerObject();
    virtual ~CTimerObject();

    // Stops a running timer first. The new timer's id, 0 when the system gives none.
    UINT_PTR Start(UINT periodMs);
    void Stop();
    UINT_PTR Restart();

    void SetCallback(Callback callback) { m_callback = callback; }
    // TRUE while the callback runs.
    BOOL IsBusy() const { return m_busy; }
    void ClearBusy() { m_busy = FALSE; }

private:
    CTimerObject(const CTimerObject&);
    CTimerObject& operator=(const CTimerObject&);

    static void CALLBACK TimerProc(HWND hWnd, UINT message, UINT_PTR id, DWORD time);
    static CTimerObject* Find(UINT_PTR id);
    void Tick();

    UINT_PTR m_timerId;  // 0: none
    UINT m_periodMs;
    Callback m_callback;
    BOOL m_busy;
};
