#include "CTabCtrl.h"

#include "AfxOwnerDraw.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_TAB_CLASSES);
    return CWnd::Create(WC_TABCONTROLA, NULL, dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = (LPSTR)lpszItem;
    return InsertItem(nItem, &item);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    return InsertItem(nItem, &item);
}

CImageList* CTabCtrl::GetImageList() const
{
    return CImageList::FromHandle((HIMAGELIST)Send(TCM_GETIMAGELIST));
}

CImageList* CTabCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(
        (HIMAGELIST)Send(TCM_SETIMAGELIST, 0, (LPARAM)pImageList->GetSafeHandle()));
}

void CTabCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CTabCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDispatchDrawItem(this, message, lParam) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
