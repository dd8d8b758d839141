// CDateTimeCtrl: a date and time picker.
#pragma once

#include "CTime.h"
#include "CWnd.h"

#include <commctrl.h>

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    CDateTimeCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // GDT_VALID, or GDT_NONE when a DTS_SHOWNONE control is unchecked.
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const
    {
        return (DWORD)::SendMessageA(m_hWnd, DTM_GETSYSTEMTIME, 0, (LPARAM)pTimeDest);
    }
    BOOL SetTime(const CTime& timeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = NULL)
    {
        return (BOOL)SendMessage(DTM_SETSYSTEMTIME, pTimeNew != NULL ? GDT_VALID : GDT_NONE, (LPARAM)pTimeNew);
    }
    BOOL SetFormat(LPCTSTR pstrFormat) { return (BOOL)SendMessage(DTM_SETFORMATA, 0, (LPARAM)pstrFormat); }
    BOOL SetRange(const CTime* pMinRange, const CTime* pMaxRange);
};
