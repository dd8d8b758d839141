// The schedule item page's arithmetic, from a clock the test gives, and the page showing it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "COptionsLabel.h"
#include "COptionsRow.h"
#include "COptionsScheduleItemPage.h"
#include "ParentWindow.h"
#include "TempFolder.h"

namespace {

struct StartCase
{
    int hour, minute, second;
    int startHour, startMinute;
};

// At minute 59 the hour moves on; at 23:59 it wraps to 0 without the date moving.
const StartCase kStartCases[] = {
    {10, 20, 5, 10, 21},
    {10, 59, 30, 11, 0},
    {23, 59, 0, 0, 0},
    {0, 0, 59, 0, 1},
};

TEST(OptionsScheduleItemPageTest, ANewItemStartsTheNextMinuteOnTheSameDate)
{
    for (const StartCase& c : kStartCases) {
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

// The item page built in a window of its own, its clock the test's.
class ClockedItemPage : public COptionsScheduleItemPage
{
public:
    CTime now = CTime(2024, 3, 31, 10, 59, 30);

protected:
    CTime Now() const override { return now; }
};

class OptionsScheduleItemPageShownTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.Create(CRect(0, 0, 600, 300), CWnd::FromHandle(parent.Handle()), 45100));
        ASSERT_TRUE(page.BuildRows());
    }

    void TearDown() override { EditedScheduleItem = NULL; }

    std::string Cell(int row, int cell)
    {
        CString text;
        page.GetRow(row)->GetCell(cell)->GetWindowText(text);
        return (LPCTSTR)text;
    }

    // The three numbers of a row as the page shows them.
    std::vector<int> Numbers(int row)
    {
        return {atoi(Cell(row, 1).c_str()), atoi(Cell(row, 3).c_str()), atoi(Cell(row, 5).c_str())};
    }

    ParentWindow parent{RECT{100, 100, 800, 500}, WS_POPUP | WS_VISIBLE};
    ClockedItemPage page;
};

// A new item starts a minute after the page's clock and lasts 0:50:00, with no shutdown after
// it and "确定" offered; showing the page again reads the clock again.
TEST_F(OptionsScheduleItemPageShownTest, ANewItemShowsTheDefaultsFromTheClock)
{
    for (const StartCase& c : kStartCases) {
        page.now = CTime(2024, 3, 31, c.hour, c.minute, c.second);
        page.Refresh();
        const std::vector<int> date = {2024, 3, 31}, start = {c.startHour, c.startMinute, c.second};
        const std::vector<int> length = {0, 50, 0};
        EXPECT_EQ(date, Numbers(0)) << c.hour << ":" << c.minute;
        EXPECT_EQ(start, Numbers(1)) << c.hour << ":" << c.minute;
        EXPECT_EQ(length, Numbers(2));
        EXPECT_EQ("否", Cell(4, 1));
        EXPECT_EQ("确定", Cell(5, 1));
    }
}

// An item being changed shows its own start and its length from the stored seconds, whatever
// the clock says; without it the page is back on the defaults.
TEST_F(OptionsScheduleItemPageShownTest, AnEditedItemShowsItsStartAndLength)
{
    TempFolder folder;
    ASSERT_NE(0, Timing_Initialize(folder.FilePath("Rec.rec").c_str(), 128));
    const _tagTimingParam timing = {2030, 7, 14, 21, 5, 40, 5415, 1, 0, 0};
    const _tagExcuteParam execute = {40, 0, 5415, 0, 1, 49750, 1, 0, 0, 0};
    EditedScheduleItem = Timing_InsertItem(0, timing, &execute);
    ASSERT_NE((HTIMINGITEM)NULL, EditedScheduleItem);

    page.Refresh();
    const std::vector<int> date = {2030, 7, 14}, start = {21, 5, 40}, length = {1, 30, 15};
    EXPECT_EQ(date, Numbers(0));
    EXPECT_EQ(start, Numbers(1));
    EXPECT_EQ(length, Numbers(2));
    EXPECT_EQ("是", Cell(4, 1));

    page.Leave();
    EXPECT_EQ((HTIMINGITEM)NULL, EditedScheduleItem);
    page.Refresh();
    const std::vector<int> defaultLength = {0, 50, 0};
    EXPECT_EQ(defaultLength, Numbers(2));
    EXPECT_EQ("否", Cell(4, 1));

    Timing_RemoveItem(Timing_GetFirstItem(0));
    Timing_Uninitialize();
}

} // namespace
