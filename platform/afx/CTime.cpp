#include "CTime.h"

namespace {

// The program's times are those of the 32-bit C runtime it ships with: seconds from 1970 up to
// 2038-01-19 03:14:07 UTC. A 64-bit build's time_t reaches further; keeping every build to this
// range makes a date valid or invalid alike wherever the framework runs.
const time_t kLastTime = 0x7FFFFFFF;

bool InRange(time_t time)
{
    return time >= 0 && time <= kLastTime;
}

time_t MakeLocalTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    time_t time = mktime(&atm);
    return InRange(time) ? time : -1;
}

// One field of the local time plus an offset; 0 for a time the C runtime cannot convert.
int LocalPart(time_t time, int tm::*field, int nOffset)
{
    struct tm* ptm = InRange(time) ? localtime(&time) : NULL;
    return ptm == NULL ? 0 : ptm->*field + nOffset;
}

CString FormatTm(const struct tm* ptm, LPCTSTR pFormat)
{
    if (ptm == NULL || pFormat == NULL || *pFormat == '\0')
        return CString();
    // strftime gives 0 both for an empty result and for a too small buffer: grow a few times.
    for (int nSize = 128; nSize <= 128 * 1024; nSize *= 4) {
        CString result;
        size_t nLen = strftime(result.GetBuffer(nSize), nSize + 1, pFormat, ptm);
        if (nLen > 0) {
            result.ReleaseBuffer((int)nLen);
            return result;
        }
    }
    return CString();
}

} // namespace

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(::time(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
    : m_time(MakeLocalTime(nYear, nMonth, nDay, nHour, nMin, nSec, nDST))
{
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : m_time(MakeLocalTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F,
                           wDosTime >> 11, (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST))
{
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
    : m_time(MakeLocalTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour,
                           sysTime.wMinute, sysTime.wSecond, nDST))
{
}

CTime::CTime(const FILETIME& fileTime, int nDST)
{
    FILETIME localTime;
    SYSTEMTIME sysTime;
    if (!FileTimeToLocalFileTime(&fileTime, &localTime) ||
        !FileTimeToSystemTime(&localTime, &sysTime)) {
        m_time = -1;
        return;
    }
    m_time = MakeLocalTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour,
                           sysTime.wMinute, sysTime.wSecond, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    struct tm* ptmTemp = InRange(m_time) ? gmtime(&m_time) : NULL;
    if (ptmTemp == NULL || ptm == NULL)
        return ptmTemp;
    *ptm = *ptmTemp;
    return ptm;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    struct tm* ptmTemp = InRange(m_time) ? localtime(&m_time) : NULL;
    if (ptmTemp == NULL || ptm == NULL)
        return ptmTemp;
    *ptm = *ptmTemp;
    return ptm;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const
{
    struct tm parts;
    if (GetLocalTm(&parts) == NULL)
        return FALSE;
    timeDest.wYear = (WORD)(parts.tm_year + 1900);
    timeDest.wMonth = (WORD)(parts.tm_mon + 1);
    timeDest.wDayOfWeek = (WORD)parts.tm_wday;
    timeDest.wDay = (WORD)parts.tm_mday;
    timeDest.wHour = (WORD)parts.tm_hour;
    timeDest.wMinute = (WORD)parts.tm_min;
    timeDest.wSecond = (WORD)parts.tm_sec;
    timeDest.wMilliseconds = 0;
    return TRUE;
}

int CTime::GetYear() const
{
    return LocalPart(m_time, &tm::tm_year, 1900);
}

int CTime::GetMonth() const
{
    return LocalPart(m_time, &tm::tm_mon, 1);
}

int CTime::GetDay() const
{
    return LocalPart(m_time, &tm::tm_mday, 0);
}

int CTime::GetHour() const
{
    return LocalPart(m_time, &tm::tm_hour, 0);
}

int CTime::GetMinute() const
{
    return LocalPart(m_time, &tm::tm_min, 0);
}

int CTime::GetSecond() const
{
    return LocalPart(m_time, &tm::tm_sec, 0);
}

int CTime::GetDayOfWeek() const
{
    return LocalPart(m_time, &tm::tm_wday, 1);
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm parts;
    return FormatTm(GetLocalTm(&parts), pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm parts;
    return FormatTm(GetGmtTm(&parts), pFormat);
}

CString CTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return FormatGmt(strFormat);
}
