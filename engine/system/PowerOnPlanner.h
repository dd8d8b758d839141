#pragma once

#include <afx.h>

#include "Tickwell.h"

#include <vector>

// One schedule item's records as the scheduling library keeps them.
struct ScheduleItemRecords
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
};

// When the computer must be powered on for the schedule: the earliest start, among the items
// that ask for it, that is not earlier than now, moved ahead by the item's early minutes.
class CPowerOnPlanner
{
public:
    // FALSE when no item gives a time.
    static BOOL FindPowerOnTime(const CTime& now, const std::vector<ScheduleItemRecords>& items, CTime& powerOn);
    // Whole minutes from now to the power-on time, truncated.
    static LONG MinutesUntil(const CTime& now, const CTime& powerOn);

private:
    static BOOL NextStart(const CTime& now, const _tagTimingParam& timing, CTime& start);
    static BOOL NextWeeklyStart(const CTime& now, const _tagTimingParam& timing, CTime& start);
};
