// The power-on time the schedule asks for, in whole minutes from now. "Now" is Sunday
// 2026-12-13 20:00:00 local time.
#include <gtest/gtest.h>

#include "PowerOnPlanner.h"

namespace
{

enum { kMon = 0x01, kTue = 0x02, kSun = 0x40 };

ScheduleItemRecords Weekly(int weekdays, int hour, int minute, int early, int powerOn = 1)
{
    ScheduleItemRecords item = {};
    item.timing = {2026, 12, 1, hour, minute, 0, 1800, 0, weekdays, 0};
    item.execute = {40, 0, 1800, 0, 1, 49750, 0, 0, powerOn, early};
    return item;
}

ScheduleItemRecords Once(int year, int month, int day, int hour, int minute, int second, int early, int powerOn = 1)
{
    ScheduleItemRecords item = {};
    item.timing = {year, month, day, hour, minute, second, 1800, 1, 0, 0};
    item.execute = {40, 0, 1800, 0, 1, 49750, 0, 0, powerOn, early};
    return item;
}

TEST(PowerOnPlanner, GivesTheMinutesToTheEarliestPowerOn)
{
    const CTime now(2026, 12, 13, 20, 0, 0);
    const LONG kNone = -999999;
    struct
    {
        const char* what;
        std::vector<ScheduleItemRecords> items;
        LONG minutes;
    } cases[] = {
        {"Monday only, from Sunday evening: the index steps 6 -> 0", {Weekly(kMon, 8, 0, 5)}, 715},
        {"today later", {Weekly(kSun, 21, 0, 0)}, 60},
        {"today, exactly now", {Weekly(kSun, 20, 0, 0)}, 0},
        {"today's time has passed: the same day next week", {Weekly(kSun, 19, 0, 0)}, 10020},
        {"the first marked day that is not past", {Weekly(kSun | kTue, 19, 0, 0)}, 2820},
        {"no weekday marked", {Weekly(0, 21, 0, 0)}, kNone},
        {"power-on not asked for", {Weekly(kSun, 20, 30, 0, 0)}, kNone},
        {"one date ahead, seconds truncated", {Once(2026, 12, 14, 0, 0, 30, 0)}, 240},
        {"one date passed", {Once(2026, 12, 13, 19, 59, 59, 0)}, kNone},
        {"early minutes reach before now", {Once(2026, 12, 13, 20, 3, 0, 10)}, -7},
        {"the earliest of several", {Once(2026, 12, 14, 8, 0, 0, 0), Weekly(kMon, 7, 0, 30)}, 630},
        {"beyond the controller's word", {Once(2027, 2, 11, 20, 0, 0, 0)}, 86400},
        {"nothing scheduled", {}, kNone},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        CTime powerOn;
        BOOL found = CPowerOnPlanner::FindPowerOnTime(now, cases[i].items, powerOn);
        LONG minutes = found ? CPowerOnPlanner::MinutesUntil(now, powerOn) : kNone;
        EXPECT_EQ(cases[i].minutes, minutes) << "row " << i << ": " << cases[i].what;
    }
}

} // namespace
