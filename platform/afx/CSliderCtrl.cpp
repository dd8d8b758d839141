#include "CSliderCtrl.h"

#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_BAR_CLASSES);
    return CWnd::Create(TRACKBAR_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}
