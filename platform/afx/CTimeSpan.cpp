#include "CTimeSpan.h"
#include "AfxMbcs.h"

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
    m_timeSpan = nSecs + 60 * (nMins + 60 * (nHours + (time_t)24 * lDays));
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    int nLen = (int)strlen(pFormat);
    for (int i = 0; i < nLen;) {
        int nSize = afx_internal::CharSizeAt(pFormat, i, nLen);
        if (nSize == 2 || pFormat[i] != '%') {
            result += CString(pFormat + i, nSize);
            i += nSize;
            continue;
        }
        if (++i >= nLen)
            break;
        CString field;
        switch (pFormat[i]) {
        case 'D': field.Format("%ld", GetDays()); break;
        case 'H': field.Format("%02d", GetHours()); break;
        case 'M': field.Format("%02d", GetMinutes()); break;
        case 'S': field.Format("%02d", GetSeconds()); break;
        default: field = pFormat[i]; break;
        }
        result += field;
        ++i;
    }
    return result;
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format(strFormat);
}
