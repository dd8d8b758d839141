#include "PowerOnPlanner.h"

namespace {

// Weekday mask bits run from Monday (bit 0) to Sunday (bit 6).
int WeekdayIndex(const CTime& time)
{
    return (time.GetDayOfWeek() + 5) % 7;
}

} // namespace

BOOL CPowerOnPlanner::FindPowerOnTime(const CTime& now, const std::vector<ScheduleItemRecords>& items, CTime& powerOn)
{
    BOOL found = FALSE;
    for (const ScheduleItemRecords& item : items) {
        CTime start;
        if (!item.execute.powerOn || !NextStart(now, item.timing, start))
            continue;
        CTime itemPowerOn = start - CTimeSpan(0, 0, item.execute.powerOnEarly, 0);
        if (!found || itemPowerOn < powerOn) {
            powerOn = itemPowerOn;
            found = TRUE;
        }
    }
    return found;
}

LONG CPowerOnPlanner::MinutesUntil(const CTime& now, const CTime& powerOn)
{
    return (powerOn - now).GetTotalMinutes();
}

BOOL CPowerOnPlanner::NextStart(const CTime& now, const _tagTimingParam& timing, CTime& start)
{
    if (!timing.oneTime)
        return NextWeeklyStart(now, timing, start);
    start = CTime(timing.year, timing.month, timing.day, timing.hour, timing.minute, timing.second);
    return start.GetTime() != -1 && start >= now;
}

// Today and the seven days after it: a weekday whose time has passed today comes round again
// a week later.
BOOL CPowerOnPlanner::NextWeeklyStart(const CTime& now, const _tagTimingParam& timing, CTime& start)
{
    int today = WeekdayIndex(now);
    for (int days = 0; days <= 7; ++days) {
        if (!(timing.weekdays & (1 << ((today + days) % 7))))
            continue;
        CTime candidate(now.GetYear(), now.GetMonth(), now.GetDay() + days, timing.hour, timing.minute,
                        timing.second);
        if (candidate.GetTime() != -1 && candidate >= now) {
            start = candidate;
            return TRUE;
        }
    }
    return FALSE;
}
