// The schedule item page's arithmetic, from a clock the test gives.
#include <gtest/gtest.h>

#include "COptionsScheduleItemPage.h"

namespace {

struct StartCase
{
    int hour, minute, second;
    int startHour, startMinute;
};

TEST(OptionsScheduleItemPageTest, ANewItemStartsTheNextMinuteOnTheSameDate)
{
    // At minute 59 the hour moves on; at 23:59 it wraps to 0 without the date moving.
    const StartCase cases[] = {
        {10, 20, 5, 10, 21},
        {10, 59, 30, 11, 0},
        {23, 59, 0, 0, 0},
        {0, 0, 59, 0, 1},
    };
    for (const StartCase& c : cases) {
        int start[6];
        COptionsScheduleItemPage::NewItemStart(CTime(2024, 3, 31, c.hour, c.minute, c.second), start);
        EXPECT_EQ(2024, start[0]);
        EXPECT_EQ(3, start[1]);
        EXPECT_EQ(31, start[2]);
        EXPECT_EQ(c.startHour, start[3]) << c.hour << ":" << c.minute;
        EXPECT_EQ(c.startMinute, start[4]) << c.hour << ":" << c.minute;
        EXPECT_EQ(c.second, start[5]);
    }
}

TEST(OptionsScheduleItemPageTest, TheStoredLengthIsShownAgainAsHoursMinutesSeconds)
{
    const int cases[][4] = {{5415, 1, 30, 15}, {3000, 0, 50, 0}, {0, 0, 0, 0}, {86399, 23, 59, 59}};
    for (const auto& c : cases) {
        int parts[3];
        COptionsScheduleItemPage::SplitLength(c[0], parts);
        EXPECT_EQ(c[1], parts[0]) << c[0];
        EXPECT_EQ(c[2], parts[1]) << c[0];
        EXPECT_EQ(c[3], parts[2]) << c[0];
        EXPECT_EQ(c[0], parts[0] * 3600 + parts[1] * 60 + parts[2]);
    }
}

} // namespace
