#include "TickwellTrigger.h"

CTickwellTrigger::CTickwellTrigger(CTickwellSchedule& schedule, CRITICAL_SECTION& lock)
    : m_schedule(schedule), m_lock(lock)
{
}

CTickwellTrigger::~CTickwellTrigger()
{
    Stop();
}

void CTickwellTrigger::CancelRunning()
{
    for (const auto& item : m_schedule.Items())
        item->running = false;
}

bool CTickwellTrigger::Start()
{
    if (m_thread)
        return true;
    m_stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_thread = m_stop ? CreateThread(NULL, 0, ThreadMain, this, 0, NULL) : NULL;
    if (!m_thread && m_stop) {
        CloseHandle(m_stop);
        m_stop = NULL;
    }
    return m_thread != NULL;
}

void CTickwellTrigger::Stop()
{
    if (!m_thread)
        return;
    SetEvent(m_stop);
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    CloseHandle(m_stop);
    m_thread = NULL;
    m_stop = NULL;
}

DWORD WINAPI CTickwellTrigger::ThreadMain(void* self)
{
    CTickwellTrigger* trigger = (CTickwellTrigger*)self;
    do
        trigger->Tick();
    while (WaitForSingleObject(trigger->m_stop, kPollMs) == WAIT_TIMEOUT);
    return 0;
}

// Ends are told before starts, so a window sees one recording stop before the next begins.
void CTickwellTrigger::Tick()
{
    EnterCriticalSection(&m_lock);
    LONGLONG now = CTickwellSchedule::Now();
    for (const auto& item : m_schedule.Items()) {
        if (item->running && now >= item->startedOccurrence + item->timing.length) {
            item->running = false;
            Post(item.get(), kScheduleEnded);
        }
    }
    for (const auto& item : m_schedule.Items()) {
        LONGLONG occurrence = CTickwellSchedule::CurrentOccurrence(item->timing, now);
        if (!item->running && occurrence >= 0 && occurrence != item->startedOccurrence) {
            item->startedOccurrence = occurrence;
            item->running = true;
            Post(item.get(), kScheduleStarted);
        }
    }
    LeaveCriticalSection(&m_lock);
}

void CTickwellTrigger::Post(TimingItem* item, int event)
{
    if (m_window)
        PostMessageA(m_window, WM_SCHEDULE_EVENT, (WPARAM)item, event);
}
