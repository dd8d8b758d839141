// CTime: a moment as seconds since 1970-01-01 00:00 UTC (time_t), read and built in local time
// through the C runtime (mktime, localtime, strftime). Its range is the 32-bit time_t's in every
// build, 64-bit ones too: a date outside it (before 1970, after 2038-01-19 03:14:07 UTC) gives
// the time -1; the parts of such a time (GetYear ... GetSecond) read as 0 and it formats as an
// empty string.
#pragma once

#include "CString.h"
#include "CTimeSpan.h"

class CTime {
public:
    static CTime PASCAL GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(time_t time) : m_time(time) {}
    // Local time; nDST: 0 standard time, > 0 daylight saving time, < 0 decided by the C runtime.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    // A local SYSTEMTIME (milliseconds ignored).
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);
    // A UTC FILETIME, as the file system stores them.
    CTime(const FILETIME& fileTime, int nDST = -1);

    const CTime& operator=(time_t t)
    {
        m_time = t;
        return *this;
    }

    // The broken-down time in *ptm when given (returned), else in the C runtime's per-thread
    // buffer; NULL for a time the C runtime cannot convert.
    struct tm* GetGmtTm(struct tm* ptm = NULL) const;
    struct tm* GetLocalTm(struct tm* ptm = NULL) const;
    // The local time; FALSE for a time the C runtime cannot convert.
    BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

    time_t GetTime() const { return m_time; }
    int GetYear() const;
    int GetMonth() const;      // 1-12
    int GetDay() const;        // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday ... 7 = Saturday

    CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
    CTime operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.m_timeSpan); }
    CTime operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.m_timeSpan); }
    const CTime& operator+=(CTimeSpan timeSpan)
    {
        m_time += timeSpan.m_timeSpan;
        return *this;
    }
    const CTime& operator-=(CTimeSpan timeSpan)
    {
        m_time -= timeSpan.m_timeSpan;
        return *this;
    }
    BOOL operator==(CTime time) const { return m_time == time.m_time; }
    BOOL operator!=(CTime time) const { return m_time != time.m_time; }
    BOOL operator<(CTime time) const { return m_time < time.m_time; }
    BOOL operator>(CTime time) const { return m_time > time.m_time; }
    BOOL operator<=(CTime time) const { return m_time <= time.m_time; }
    BOOL operator>=(CTime time) const { return m_time >= time.m_time; }

    // strftime of the local (Format) or UTC (FormatGmt) time, of any length.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

private:
    time_t m_time;
};
