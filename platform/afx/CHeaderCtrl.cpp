#include "CHeaderCtrl.h"

#include "AfxOwnerDraw.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_HEADERA, NULL, dwStyle, rect, pParentWnd, nID);
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDispatchDrawItem(this, message, lParam) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
