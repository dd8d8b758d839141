// The schedule list's row texts of an item and the item dialog's weekday rows as stored masks.
#include <gtest/gtest.h>

#include <string>

#include "CScheduleItemFormat.h"
#include "ChannelList.h"

namespace {

// Three channels: "A" at position 0 ... "C" at 2.
class ScheduleItemFormatTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_channels.MergeChannels({CChannelEntry(49750, "A", 1), CChannelEntry(184250, "B", 1),
                                  CChannelEntry(471250, "C", 1)},
                                 FALSE);
        ASSERT_EQ(3, m_channels.GetCount());
    }

    CChannelList m_channels;
};

TEST_F(ScheduleItemFormatTest, RowTextsFollowTheRecords)
{
    struct Case
    {
        _tagTimingParam timing;
        _tagExcuteParam execute;
        const char* texts[CScheduleItemFormat::kColumnCount];
    } cases[] = {
        // one date, tuner channel 2
        {{2026, 3, 7, 8, 5, 9, 3600, 1, 0, 0}, {40, 0, 3725, 0, 2, 184250, 0, 0, 0, 0},
         {"2026-03-07", "08:05:09", "01:02:05", "1.B", "TV"}},
        // weekly: Monday, Wednesday and Sunday, in bit order
        {{2026, 3, 7, 23, 59, 0, 60, 0, 0x45, 0}, {40, 0, 60, 0, 1, 49750, 0, 0, 0, 0},
         {"星期一,星期三,星期日", "23:59:00", "00:01:00", "0.A", "TV"}},
        // every day
        {{2026, 3, 7, 0, 0, 0, 1, 0, 0x7F, 0}, {40, 0, 1, 0, 3, 471250, 0, 0, 0, 0},
         {"星期一,星期二,星期三,星期四,星期五,星期六,星期日", "00:00:00", "00:00:01", "2.C", "TV"}},
        // weekly with no day: no date
        {{2026, 3, 7, 12, 0, 0, 600, 0, 0, 0}, {40, 0, 600, 0, 1, 49750, 0, 0, 0, 0},
         {"", "12:00:00", "00:10:00", "0.A", "TV"}},
        // a line input names no channel, whatever the number
        {{2026, 3, 7, 12, 0, 0, 600, 1, 0, 0}, {40, 0, 600, 1, 2, 184250, 0, 0, 0, 0},
         {"2026-03-07", "12:00:00", "00:10:00", "", "AV"}},
        {{2026, 3, 7, 12, 0, 0, 600, 1, 0, 0}, {40, 0, 600, 2, 2, 184250, 0, 0, 0, 0},
         {"2026-03-07", "12:00:00", "00:10:00", "", "SV"}},
        {{2026, 3, 7, 12, 0, 0, 600, 1, 0, 0}, {40, 0, 600, 3, 1, 90000, 0, 0, 0, 0},
         {"2026-03-07", "12:00:00", "00:10:00", "", "SV"}},
        // numbers outside the list
        {{2026, 3, 7, 12, 0, 0, 600, 1, 0, 0}, {40, 0, 600, 0, 0, 0, 0, 0, 0, 0},
         {"2026-03-07", "12:00:00", "00:10:00", "", "TV"}},
        {{2026, 3, 7, 12, 0, 0, 600, 1, 0, 0}, {40, 0, 600, 0, 4, 0, 0, 0, 0, 0},
         {"2026-03-07", "12:00:00", "00:10:00", "", "TV"}},
        // lengths past a day keep counting hours
        {{2026, 12, 31, 1, 2, 3, 90000, 1, 0, 0}, {40, 0, 90000, 0, 1, 49750, 0, 0, 0, 0},
         {"2026-12-31", "01:02:03", "25:00:00", "0.A", "TV"}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
        CString texts[CScheduleItemFormat::kColumnCount];
        CScheduleItemFormat::GetRowTexts(cases[i].timing, cases[i].execute, m_channels, texts);
        for (int column = 0; column < CScheduleItemFormat::kColumnCount; column++)
            EXPECT_STREQ(cases[i].texts[column], texts[column]) << "case " << i << " column " << column;
    }
}

// Row 0 is Sunday, the mask's bit 6; rows 1-6 are Monday-Saturday, bits 0-5.
TEST(ScheduleWeekdayRows, EachRowAloneAndAllSevenMapToTheMask)
{
    struct Case
    {
        BOOL rows[CScheduleItemFormat::kWeekdayRows];
        int mask;
    } cases[] = {
        {{1, 0, 0, 0, 0, 0, 0}, 0x40}, {{0, 1, 0, 0, 0, 0, 0}, 0x01}, {{0, 0, 1, 0, 0, 0, 0}, 0x02},
        {{0, 0, 0, 1, 0, 0, 0}, 0x04}, {{0, 0, 0, 0, 1, 0, 0}, 0x08}, {{0, 0, 0, 0, 0, 1, 0}, 0x10},
        {{0, 0, 0, 0, 0, 0, 1}, 0x20}, {{1, 1, 1, 1, 1, 1, 1}, 0x7F}, {{0, 0, 0, 0, 0, 0, 0}, 0x00},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); i++) {
        EXPECT_EQ(cases[i].mask, CScheduleItemFormat::MaskFromRows(cases[i].rows)) << "case " << i;
        BOOL rows[CScheduleItemFormat::kWeekdayRows];
        CScheduleItemFormat::RowsFromMask(cases[i].mask, rows);
        for (int row = 0; row < CScheduleItemFormat::kWeekdayRows; row++)
            EXPECT_EQ(cases[i].rows[row], rows[row]) << "case " << i << " row " << row;
    }
}

} // namespace
