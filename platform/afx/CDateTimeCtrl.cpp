#include "CDateTimeCtrl.h"

#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_DATE_CLASSES);
    return CWnd::Create(DATETIMEPICK_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const
{
    SYSTEMTIME time;
    DWORD dwResult = GetTime(&time);
    if (dwResult == GDT_VALID)
        timeDest = CTime(time);
    return dwResult;
}

BOOL CDateTimeCtrl::SetTime(const CTime& timeNew)
{
    SYSTEMTIME time;
    return timeNew.GetAsSystemTime(time) && SetTime(&time);
}

BOOL CDateTimeCtrl::SetRange(const CTime* pMinRange, const CTime* pMaxRange)
{
    SYSTEMTIME range[2];
    WPARAM flags = 0;
    if (pMinRange != NULL && pMinRange->GetAsSystemTime(range[0]))
        flags |= GDTR_MIN;
    if (pMaxRange != NULL && pMaxRange->GetAsSystemTime(range[1]))
        flags |= GDTR_MAX;
    return (BOOL)SendMessage(DTM_SETRANGE, flags, (LPARAM)range);
}
