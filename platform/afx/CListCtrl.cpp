#include "CListCtrl.h"

#include "AfxOwnerDraw.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_LISTVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = nItem;
    item.pszText = (LPSTR)lpszItem;
    item.iImage = nImage;
    return InsertItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // The control gives no length: a growing buffer until the text fits.
    CString text;
    for (int nLen = 128;; nLen *= 2) {
        int nGot = GetItemText(nItem, nSubItem, text.GetBuffer(nLen), nLen + 1);
        text.ReleaseBuffer(nGot);
        if (nGot < nLen)
            return text;
    }
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return (int)Send(LVM_GETITEMTEXTA, nItem, (LPARAM)&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = (LPSTR)lpszText;
    return (BOOL)Send(LVM_SETITEMTEXTA, nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    GetItem(&item);
    return item.lParam;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = dwData;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMA item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)Send(LVM_SETITEMSTATE, nItem, (LPARAM)&item);
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = nCode;
    return (BOOL)Send(LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& ref) const
{
    ref.top = nSubItem;
    ref.left = nArea;
    return (BOOL)Send(LVM_GETSUBITEMRECT, nItem, (LPARAM)(LPRECT)ref);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info = {};
    info.pt = pt;
    int nItem = HitTest(&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.fmt = nFormat;
    column.pszText = (LPSTR)lpszColumnHeading;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)Send(LVM_GETIMAGELIST, nImageList));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)Send(LVM_SETIMAGELIST, nImageListType,
                                                   (LPARAM)pImageList->GetSafeHandle()));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT)
{
}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return AfxDispatchDrawItem(this, message, lParam) ||
           CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
