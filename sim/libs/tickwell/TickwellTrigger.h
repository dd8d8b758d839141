#pragma once

#include "TickwellSchedule.h"

// The thread that watches the clock and tells the registered window when an item's
// occurrence starts (lParam 0) and when its length has run out (lParam 1).
class CTickwellTrigger
{
public:
    // The lock serialises the library's exports; the thread takes it for each look at the
    // schedule, the window and the items' trigger state.
    CTickwellTrigger(CTickwellSchedule& schedule, CRITICAL_SECTION& lock);
    ~CTickwellTrigger();
    CTickwellTrigger(const CTickwellTrigger&) = delete;
    CTickwellTrigger& operator=(const CTickwellTrigger&) = delete;

    // The caller holds the lock for these two.
    void SetWindow(HWND window) { m_window = window; }
    // Running items end without their end event.
    void CancelRunning();

    // Neither may be called with the lock held: Stop waits for the thread, which takes it.
    bool Start();
    void Stop();

private:
    enum { kPollMs = 100 };

    static DWORD WINAPI ThreadMain(void* self);
    void Tick();
    void Post(TimingItem* item, int event);

    CTickwellSchedule& m_schedule;
    CRITICAL_SECTION& m_lock;
    HWND m_window = NULL;
    // Signalled by Stop, waited on by the thread between looks.
    HANDLE m_stop = NULL;
    HANDLE m_thread = NULL;
};
