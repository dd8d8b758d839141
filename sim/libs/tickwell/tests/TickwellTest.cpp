// The scheduling library as the program uses it: items kept in the schedule file across a
// restart, the check codes, and the events its trigger posts to the registered window.
#include <gtest/gtest.h>

#include "Tickwell.h"

#include "MessageSink.h"
#include "TempFolder.h"

#include <string>
#include <vector>

namespace
{

_tagTimingParam OneTime(int year, int month, int day, int hour, int minute, int length)
{
    return {year, month, day, hour, minute, 0, length, 1, 0, 0};
}

_tagTimingParam Weekly(int weekdays, int hour, int minute, int length)
{
    return {2030, 6, 10, hour, minute, 0, length, 0, weekdays, 0};
}

// A one-time item starting the given number of seconds from now, local time.
_tagTimingParam FromNow(int seconds, int length)
{
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME time;
    SystemTimeToFileTime(&local, &time);
    ULARGE_INTEGER value = {{time.dwLowDateTime, time.dwHighDateTime}};
    value.QuadPart += (ULONGLONG)seconds * 10000000;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    FileTimeToSystemTime(&time, &local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, length, 1, 0, 0};
}

_tagExcuteParam Execute(int channel, int frequency)
{
    return {40, 0, 3600, 0, channel, frequency, 0, 0, 1, 5};
}

std::vector<HTIMINGITEM> Walk()
{
    std::vector<HTIMINGITEM> items;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item))
        items.push_back(item);
    return items;
}

class TickwellTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 128)); }
    void TearDown() override
    {
        Timing_StopTrigger(0);
        Timing_Uninitialize();
    }

    std::string ScheduleFile() const { return m_folder.FilePath("Rec.rec"); }

    TempFolder m_folder;
};

TEST_F(TickwellTest, ExportsCarryTheirPlainNames)
{
    HMODULE library = GetModuleHandleA("Tickwell.dll");
    ASSERT_NE((HMODULE)NULL, library);
    const char* names[] = {"Timing_Initialize", "Timing_Uninitialize", "Timing_RegisterMsgWnd",
                           "Timing_StartTrigger", "Timing_StopTrigger", "Timing_GetFirstItem",
                           "Timing_GetNextItem", "Timing_GetItemTimingParam", "Timing_GetItemExcuteParam",
                           "Timing_CheckItem", "Timing_InsertItem", "Timing_UpdateItem",
                           "Timing_RemoveItem", "Timing_CancelItem"};
    for (const char* name : names)
        EXPECT_NE(nullptr, (void*)GetProcAddress(library, name)) << name;
}

TEST_F(TickwellTest, ItemsSurviveARestartWithTheirChangesInOrder)
{
    _tagExcuteParam first = Execute(3, 471250);
    _tagExcuteParam second = Execute(7, 49750);
    HTIMINGITEM a = Timing_InsertItem(0, OneTime(2030, 6, 10, 10, 0, 3600), &first);
    HTIMINGITEM b = Timing_InsertItem(0, Weekly(0x41, 20, 30, 1800), &second);
    HTIMINGITEM c = Timing_InsertItem(0, OneTime(2030, 6, 12, 8, 0, 60), &first);
    ASSERT_TRUE(a && b && c);
    second.powerOnEarly = 9;
    EXPECT_NE(0, Timing_UpdateItem(b, Weekly(0x01, 21, 0, 900), &second));
    EXPECT_NE(0, Timing_RemoveItem(a));
    EXPECT_EQ(0, Timing_RemoveItem(a)) << "an item removed already";

    Timing_Uninitialize();
    ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 128));
    std::vector<HTIMINGITEM> items = Walk();
    ASSERT_EQ(2u, items.size());
    _tagTimingParam timing;
    _tagExcuteParam execute;
    ASSERT_NE(0, Timing_GetItemTimingParam(items[0], &timing));
    EXPECT_EQ(0, timing.oneTime);
    EXPECT_EQ(0x01, timing.weekdays);
    EXPECT_EQ(21, timing.hour);
    EXPECT_EQ(900, timing.length);
    ASSERT_NE(0, Timing_GetItemExcuteParam(items[0], &execute, 40));
    EXPECT_EQ(7, execute.channel);
    EXPECT_EQ(49750, execute.frequency);
    EXPECT_EQ(9, execute.powerOnEarly);
    ASSERT_NE(0, Timing_GetItemTimingParam(items[1], &timing));
    EXPECT_EQ(12, timing.day);
    EXPECT_EQ(0, Timing_GetItemExcuteParam(items[1], &execute, 39)) << "a buffer smaller than the record";
}

TEST_F(TickwellTest, AFullListRefusesTheNextItem)
{
    Timing_Uninitialize();
    ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 2));
    _tagExcuteParam execute = Execute(1, 49750);
    EXPECT_NE(nullptr, Timing_InsertItem(0, OneTime(2030, 1, 1, 1, 0, 60), &execute));
    EXPECT_NE(nullptr, Timing_InsertItem(0, OneTime(2030, 1, 2, 1, 0, 60), &execute));
    EXPECT_EQ(nullptr, Timing_InsertItem(0, OneTime(2030, 1, 3, 1, 0, 60), &execute));
    EXPECT_EQ(nullptr, Timing_InsertItem(1, OneTime(2030, 1, 3, 1, 0, 60), &execute)) << "list 1";
}

TEST_F(TickwellTest, InitialisingFailsWhereTheFileCannotBeWritten)
{
    Timing_Uninitialize();
    EXPECT_EQ(0, Timing_Initialize(m_folder.FilePath("missing\\Rec.rec").c_str(), 128));
    EXPECT_EQ(nullptr, Timing_GetFirstItem(0));
}

// Damaged files as a power cut leaves them: the items before the damage load, and the file
// keeps its bytes until the schedule changes.
TEST_F(TickwellTest, ADamagedFileIsReadAndLeftAsItIsUntilAChange)
{
    _tagExcuteParam execute = Execute(3, 471250);
    ASSERT_TRUE(Timing_InsertItem(0, OneTime(2030, 6, 10, 10, 0, 3600), &execute));
    ASSERT_TRUE(Timing_InsertItem(0, OneTime(2030, 6, 11, 10, 0, 3600), &execute));
    Timing_Uninitialize();
    const std::string whole = TempFolder::ReadWholeFile(ScheduleFile());
    struct Case
    {
        const char* what;
        std::string bytes;
        size_t items;
    } cases[] = {
        {"cut inside the second item", whole.substr(0, whole.size() - 30), 1},
        {"a count of 3 and two bytes of the first item", std::string("TKW1\x03\0\0\0\xF5\x07", 10), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(TempFolder::WriteWholeFile(ScheduleFile(), c.bytes));
        ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 128));
        EXPECT_EQ(c.items, Walk().size());
        EXPECT_TRUE(TempFolder::ReadWholeFile(ScheduleFile()) == c.bytes);
        ASSERT_TRUE(Timing_InsertItem(0, OneTime(2030, 6, 12, 10, 0, 3600), &execute));
        Timing_Uninitialize();
        ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 128));
        EXPECT_EQ(c.items + 1, Walk().size()) << "the change saved the schedule whole";
        Timing_Uninitialize();
    }
    ASSERT_NE(0, Timing_Initialize(ScheduleFile().c_str(), 128));
}

// Stored: 2030-06-10 (a Monday) 10:00 for an hour, and every Monday 20:00 for half an hour.
TEST_F(TickwellTest, CheckCodesTellPassedAndOverlappingTimes)
{
    _tagExcuteParam execute = Execute(1, 49750);
    HTIMINGITEM morning = Timing_InsertItem(0, OneTime(2030, 6, 10, 10, 0, 3600), &execute);
    ASSERT_NE(nullptr, morning);
    ASSERT_NE(nullptr, Timing_InsertItem(0, Weekly(0x01, 20, 0, 1800), &execute));
    struct
    {
        _tagTimingParam timing;
        HTIMINGITEM ignored;
        int code;
    } cases[] = {
        {OneTime(2001, 1, 1, 10, 0, 60), NULL, kTimingPassed},
        {OneTime(2030, 6, 10, 11, 0, 3600), NULL, kTimingAcceptable},
        {OneTime(2030, 6, 10, 10, 30, 60), NULL, kTimingOverlapsStart},
        {OneTime(2030, 6, 10, 9, 30, 3600), NULL, kTimingOverlapsSpan},
        {OneTime(2030, 6, 10, 10, 30, 60), morning, kTimingAcceptable},
        {OneTime(2030, 6, 17, 20, 10, 60), NULL, kTimingOverlapsStart},
        {OneTime(2030, 6, 18, 20, 10, 60), NULL, kTimingAcceptable},
        {Weekly(0x11, 19, 50, 1800), NULL, kTimingOverlapsSpan},
        {Weekly(0x10, 19, 50, 1800), NULL, kTimingAcceptable},
        {Weekly(0x7F, 9, 30, 3600), NULL, kTimingOverlapsSpan},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        int code = -1;
        EXPECT_NE(0, Timing_CheckItem(0, cases[i].ignored, cases[i].timing, &code)) << "row " << i;
        EXPECT_EQ(cases[i].code, code) << "row " << i;
    }
}

TEST_F(TickwellTest, TheTriggerPostsTheStartAndTheEndOfAnItem)
{
    MessageSink window;
    _tagExcuteParam execute = Execute(1, 49750);
    HTIMINGITEM item = Timing_InsertItem(0, FromNow(1, 1), &execute);
    ASSERT_NE(nullptr, item);
    ASSERT_NE(0, Timing_RegisterMsgWnd(window.Handle()));
    ASSERT_NE(0, Timing_StartTrigger(0));
    MSG message;
    ASSERT_TRUE(window.WaitFor(WM_SCHEDULE_EVENT, 10000, &message));
    EXPECT_EQ((WPARAM)item, message.wParam);
    EXPECT_EQ(kScheduleStarted, message.lParam);
    ASSERT_TRUE(window.WaitFor(WM_SCHEDULE_EVENT, 10000, &message));
    EXPECT_EQ((WPARAM)item, message.wParam);
    EXPECT_EQ(kScheduleEnded, message.lParam);
}

// The first item's end would fall before the second item's start.
TEST_F(TickwellTest, ACancelledItemEndsWithoutItsEndEvent)
{
    MessageSink window;
    _tagExcuteParam execute = Execute(1, 49750);
    HTIMINGITEM first = Timing_InsertItem(0, FromNow(1, 2), &execute);
    HTIMINGITEM second = Timing_InsertItem(0, FromNow(5, 1), &execute);
    ASSERT_TRUE(first && second);
    Timing_RegisterMsgWnd(window.Handle());
    ASSERT_NE(0, Timing_StartTrigger(0));
    MSG message;
    ASSERT_TRUE(window.WaitFor(WM_SCHEDULE_EVENT, 10000, &message));
    EXPECT_EQ((WPARAM)first, message.wParam);
    EXPECT_NE(0, Timing_CancelItem(0));
    ASSERT_TRUE(window.WaitFor(WM_SCHEDULE_EVENT, 10000, &message));
    EXPECT_EQ((WPARAM)second, message.wParam);
    EXPECT_EQ(kScheduleStarted, message.lParam);
}

} // namespace
