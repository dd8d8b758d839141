// CTimeSpan: a signed number of seconds between two CTimes.
#pragma once

#include "CString.h"

class CTimeSpan {
public:
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(time_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    LONG GetDays() const { return (LONG)(m_timeSpan / (24 * 3600L)); }
    LONG GetTotalHours() const { return (LONG)(m_timeSpan / 3600); }
    int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return (LONG)(m_timeSpan / 60); }
    int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
    LONG GetTotalSeconds() const { return (LONG)m_timeSpan; }
    int GetSeconds() const { return (int)(GetTotalSeconds() - GetTotalMinutes() * 60); }

    CTimeSpan operator-(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan); }
    CTimeSpan operator+(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan); }
    const CTimeSpan& operator+=(CTimeSpan timeSpan)
    {
        m_timeSpan += timeSpan.m_timeSpan;
        return *this;
    }
    const CTimeSpan& operator-=(CTimeSpan timeSpan)
    {
        m_timeSpan -= timeSpan.m_timeSpan;
        return *this;
    }
    BOOL operator==(CTimeSpan timeSpan) const { return m_timeSpan == timeSpan.m_timeSpan; }
    BOOL operator!=(CTimeSpan timeSpan) const { return m_timeSpan != timeSpan.m_timeSpan; }
    BOOL operator<(CTimeSpan timeSpan) const { return m_timeSpan < timeSpan.m_timeSpan; }
    BOOL operator>(CTimeSpan timeSpan) const { return m_timeSpan > timeSpan.m_timeSpan; }
    BOOL operator<=(CTimeSpan timeSpan) const { return m_timeSpan <= timeSpan.m_timeSpan; }
    BOOL operator>=(CTimeSpan timeSpan) const { return m_timeSpan >= timeSpan.m_timeSpan; }

    // %D days, %H hours (00-23), %M minutes (00-59), %S seconds (00-59), %% a percent sign;
    // '%' before any other character gives that character.
    CString Format(LPCTSTR pFormat) const;
    CString Format(UINT nFormatID) const;

private:
    time_t m_timeSpan;
    friend class CTime;
};
