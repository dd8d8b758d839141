#include <gtest/gtest.h>

#include <afx.h>

#include "AfxTestResources.h"

TEST(CTime, PartsOfALocalTime)
{
    CTime time(2024, 2, 29, 13, 5, 9);
    EXPECT_EQ(2024, time.GetYear());
    EXPECT_EQ(2, time.GetMonth());
    EXPECT_EQ(29, time.GetDay());
    EXPECT_EQ(13, time.GetHour());
    EXPECT_EQ(5, time.GetMinute());
    EXPECT_EQ(9, time.GetSecond());
    EXPECT_EQ(5, time.GetDayOfWeek());  // a Thursday; 1 is Sunday
}

TEST(CTime, FormatUsesStrftimeCodes)
{
    CTime time(2024, 2, 29, 13, 5, 9);
    EXPECT_STREQ("2024,02,29,13,05,09", time.Format("%Y,%m,%d,%H,%M,%S"));
    EXPECT_STREQ("2024\xC4\xEA" "02\xD4\xC2" "29\xC8\xD5", time.Format(IDS_DATE_FORMAT));
    EXPECT_STREQ("", time.Format(""));
    CString wide = time.Format(CString('-', 300) + "%Y");
    EXPECT_EQ(304, wide.GetLength());
}

TEST(CTime, ParsedFieldsNormalizeLikeMktime)
{
    CTime time(2023, 2, 29, 24, 0, 0);  // 29 February 2023 is 1 March; hour 24 the next day
    EXPECT_STREQ("2023-03-02 00:00", time.Format("%Y-%m-%d %H:%M"));
}

TEST(CTime, AnInvalidDateIsMinusOne)
{
    CTime before1970(1960, 1, 1, 0, 0, 0);
    EXPECT_EQ(-1, before1970.GetTime());
    EXPECT_STREQ("", before1970.Format("%Y"));
    EXPECT_EQ(0, before1970.GetYear());
    EXPECT_EQ(0, before1970.GetDayOfWeek());
    EXPECT_EQ(-1, CTime(2040, 1, 1, 0, 0, 0).GetTime());  // past the 32-bit time_t
    EXPECT_EQ(-1, CTime(0, 0, 0, 0, 0, 0).GetTime());
    // The range ends at the 32-bit time_t's last second in a 64-bit build too.
    EXPECT_STREQ("2038-01-19 03:14:07", CTime((time_t)0x7FFFFFFF).FormatGmt("%Y-%m-%d %H:%M:%S"));
    CTime past((time_t)0x80000000LL);
    EXPECT_STREQ("", past.FormatGmt("%Y"));
    EXPECT_STREQ("", past.Format("%Y"));
    EXPECT_EQ(0, past.GetYear());
}

TEST(CTime, ArithmeticWithSpans)
{
    CTime start(2024, 12, 31, 23, 0, 0);
    CTime end = start + CTimeSpan(1, 2, 3, 4);
    EXPECT_STREQ("2025-01-02 01:03:04", end.Format("%Y-%m-%d %H:%M:%S"));
    CTimeSpan span = end - start;
    EXPECT_EQ(93784, span.GetTotalSeconds());
    EXPECT_EQ(start, end - span);
    end -= CTimeSpan(0, 0, 0, 4);
    EXPECT_EQ(93780, (end - start).GetTotalSeconds());
    end += CTimeSpan(0, 0, 1, 0);
    EXPECT_TRUE(start < end);
    EXPECT_TRUE(end > start);
    EXPECT_TRUE(start <= start);
    EXPECT_TRUE(start != end);
}

TEST(CTime, FromSystemTimeAndFileTime)
{
    SYSTEMTIME local = {};
    local.wYear = 2024;
    local.wMonth = 7;
    local.wDay = 1;
    local.wHour = 20;
    local.wMinute = 30;
    local.wSecond = 15;
    CTime fromSystem(local);
    EXPECT_STREQ("2024-07-01 20:30:15", fromSystem.Format("%Y-%m-%d %H:%M:%S"));

    FILETIME localFile;
    FILETIME utcFile;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localFile));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &utcFile));
    EXPECT_EQ(fromSystem, CTime(utcFile));

    SYSTEMTIME back = {};
    ASSERT_TRUE(fromSystem.GetAsSystemTime(back));
    EXPECT_EQ(2024, back.wYear);
    EXPECT_EQ(7, back.wMonth);
    EXPECT_EQ(1, back.wDay);
    EXPECT_EQ(1, back.wDayOfWeek);  // a Monday
    EXPECT_EQ(20, back.wHour);
}

TEST(CTime, GetCurrentTimeIsNow)
{
    time_t before = time(NULL);
    CTime now = CTime::GetCurrentTime();
    time_t after = time(NULL);
    EXPECT_LE(before, now.GetTime());
    EXPECT_GE(after, now.GetTime());
}

TEST(CTimeSpan, Parts)
{
    CTimeSpan span(3, 4, 5, 6);
    EXPECT_EQ(3, span.GetDays());
    EXPECT_EQ(76, span.GetTotalHours());
    EXPECT_EQ(4, span.GetHours());
    EXPECT_EQ(4565, span.GetTotalMinutes());
    EXPECT_EQ(5, span.GetMinutes());
    EXPECT_EQ(273906, span.GetTotalSeconds());
    EXPECT_EQ(6, span.GetSeconds());
    EXPECT_EQ(CTimeSpan(3, 4, 5, 7), span + CTimeSpan(1));
    EXPECT_TRUE(CTimeSpan(0, 0, 0, 59) < CTimeSpan(0, 0, 1, 0));
}

TEST(CTimeSpan, Format)
{
    EXPECT_STREQ("1 days 02:03:04 100%", CTimeSpan(1, 2, 3, 4).Format("%D days %H:%M:%S 100%%"));
    EXPECT_STREQ("x", CTimeSpan(0).Format("%x"));
}
