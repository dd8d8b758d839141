// The owner-drawn item messages a parent passes to a control's own object (OnChildNotify):
// each goes to the control's virtual of the same name. TRUE when the message was one of them.
#pragma once

#include "afxdefs.h"

// For controls that only draw (buttons, statics, tabs, headers, list views).
template <class CONTROL>
BOOL AfxDispatchDrawItem(CONTROL* pControl, UINT message, LPARAM lParam)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    pControl->DrawItem((LPDRAWITEMSTRUCT)lParam);
    return TRUE;
}

// For list and combo boxes, which also measure, compare and delete their items.

template <class CONTROL>
BOOL AfxDispatchOwnerDrawItem(CONTROL* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        pControl->DrawItem((LPDRAWITEMSTRUCT)lParam);
        return TRUE;
    case WM_MEASUREITEM:
        pControl->MeasureItem((LPMEASUREITEMSTRUCT)lParam);
        return TRUE;
    case WM_COMPAREITEM: {
        int nResult = pControl->CompareItem((LPCOMPAREITEMSTRUCT)lParam);
        if (pResult != NULL)
            *pResult = nResult;
        return TRUE;
    }
    case WM_DELETEITEM:
        pControl->DeleteItem((LPDELETEITEMSTRUCT)lParam);
        return TRUE;
    }
    return FALSE;
}
