#include "TimerObject.h"

#include <map>
#include <mutex>

namespace {

// Thread timers of any thread of the process land in one table. Both live until the process
// ends, so that a global object's timer can still stop in its destructor at exit.
std::map<UINT_PTR, CTimerObject*>& Table()
{
    static auto* table = new std::map<UINT_PTR, CTimerObject*>;
    return *table;
}

// Guards the table; taken only around table reads and writes, never while a callback runs.
std::mutex& TableLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

} // namespace

CTimerObject::CTimerObject() : m_timerId(0), m_periodMs(0), m_callback(NULL), m_busy(FALSE)
{
}

CTimerObject::~CTimerObject()
{
    Stop();
}

UINT_PTR CTimerObject::Start(UINT periodMs)
{
    Stop();
    UINT_PTR id = SetTimer(NULL, 0, periodMs, TimerProc);
    if (id == 0)
        return 0;
    m_timerId = id;
    m_periodMs = periodMs;
    std::lock_guard<std::mutex> guard(TableLock());
    Table()[id] = this;
    return id;
}

void CTimerObject::Stop()
{
    if (m_timerId == 0)
        return;
    KillTimer(NULL, m_timerId);
    {
        std::lock_guard<std::mutex> guard(TableLock());
        Table().erase(m_timerId);
    }
    m_timerId = 0;
    m_busy = FALSE;
}

UINT_PTR CTimerObject::Restart()
{
    return Start(m_periodMs);
}

CTimerObject* CTimerObject::Find(UINT_PTR id)
{
    std::lock_guard<std::mutex> guard(TableLock());
    auto it = Table().find(id);
    return it != Table().end() ? it->second : NULL;
}

void CALLBACK CTimerObject::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    CTimerObject* timer = Find(id);
    if (timer == NULL) {
        KillTimer(NULL, id);
        return;
    }
    timer->Tick();
}

void CTimerObject::Tick()
{
    if (m_callback == NULL) {
        Stop();
        return;
    }
    m_busy = TRUE;
    // The callback may stop and restart this timer under a new id.
    if (m_callback() >= 0)
        m_busy = FALSE;
    else
        Stop();
}
