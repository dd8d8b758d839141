// The exports. One lock serialises them all and the trigger thread's looks at the schedule.
#include "Tickwell.h"

#include "TickwellSchedule.h"
#include "TickwellTrigger.h"

#include <cstring>

namespace {

struct Library
{
    Library() : trigger(schedule, lock) { InitializeCriticalSection(&lock); }
    ~Library() { trigger.Stop(); DeleteCriticalSection(&lock); }

    // Guards schedule and the trigger's window and item state.
    CRITICAL_SECTION lock;
    CTickwellSchedule schedule;
    CTickwellTrigger trigger;
};

Library& TheLibrary()
{
    static Library library;
    return library;
}

class Locked
{
public:
    Locked() { EnterCriticalSection(&TheLibrary().lock); }
    ~Locked() { LeaveCriticalSection(&TheLibrary().lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

CTickwellSchedule& Schedule()
{
    return TheLibrary().schedule;
}

bool IsListZero(int list)
{
    return list == 0 && Schedule().IsOpen();
}

TimingItem* Known(HTIMINGITEM item)
{
    return Schedule().Contains(item) ? item : NULL;
}

bool IsExecuteRecord(const _tagExcuteParam* execute)
{
    return execute != NULL && execute->size == sizeof(_tagExcuteParam);
}

} // namespace

int WINAPI Timing_Initialize(const char* path, int maxItems)
{
    if (!path || maxItems <= 0)
        return 0;
    Locked locked;
    return Schedule().Open(path, maxItems) ? 1 : 0;
}

int WINAPI Timing_Uninitialize(void)
{
    TheLibrary().trigger.Stop();
    Locked locked;
    TheLibrary().trigger.SetWindow(NULL);
    Schedule().Close();
    return 1;
}

int WINAPI Timing_RegisterMsgWnd(HWND window)
{
    Locked locked;
    TheLibrary().trigger.SetWindow(window);
    return 1;
}

int WINAPI Timing_StartTrigger(int list)
{
    {
        Locked locked;
        if (!IsListZero(list))
            return 0;
    }
    return TheLibrary().trigger.Start() ? 1 : 0;
}

int WINAPI Timing_StopTrigger(int list)
{
    if (list != 0)
        return 0;
    TheLibrary().trigger.Stop();
    return 1;
}

HTIMINGITEM WINAPI Timing_GetFirstItem(int list)
{
    Locked locked;
    return IsListZero(list) ? Schedule().First() : NULL;
}

HTIMINGITEM WINAPI Timing_GetNextItem(int list, HTIMINGITEM item)
{
    Locked locked;
    return IsListZero(list) ? Schedule().Next(item) : NULL;
}

int WINAPI Timing_GetItemTimingParam(HTIMINGITEM item, _tagTimingParam* timing)
{
    Locked locked;
    if (!Known(item) || !timing)
        return 0;
    *timing = item->timing;
    return 1;
}

int WINAPI Timing_GetItemExcuteParam(HTIMINGITEM item, void* buffer, int size)
{
    Locked locked;
    if (!Known(item) || !buffer || size < (int)sizeof(_tagExcuteParam))
        return 0;
    memcpy(buffer, &item->execute, sizeof(_tagExcuteParam));
    return 1;
}

int WINAPI Timing_CheckItem(int list, HTIMINGITEM item, _tagTimingParam timing, int* code)
{
    Locked locked;
    if (!IsListZero(list) || !code)
        return 0;
    *code = Schedule().Check(timing, item, CTickwellSchedule::Now());
    return 1;
}

HTIMINGITEM WINAPI Timing_InsertItem(int list, _tagTimingParam timing, const _tagExcuteParam* execute)
{
    Locked locked;
    if (!IsListZero(list) || !IsExecuteRecord(execute))
        return NULL;
    return Schedule().Insert(timing, *execute);
}

int WINAPI Timing_UpdateItem(HTIMINGITEM item, _tagTimingParam timing, const _tagExcuteParam* execute)
{
    Locked locked;
    if (!IsExecuteRecord(execute))
        return 0;
    return Schedule().Update(item, timing, *execute) ? 1 : 0;
}

int WINAPI Timing_RemoveItem(HTIMINGITEM item)
{
    Locked locked;
    return Schedule().Remove(item) ? 1 : 0;
}

int WINAPI Timing_CancelItem(int list)
{
    Locked locked;
    if (!IsListZero(list))
        return 0;
    TheLibrary().trigger.CancelRunning();
    return 1;
}
