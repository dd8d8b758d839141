#include "CTreeCtrl.h"

#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_TREEVIEW_CLASSES);
    return CWnd::Create(WC_TREEVIEWA, NULL, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = (LPSTR)lpszItem;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage,
                                HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = (LPSTR)lpszItem;
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    return InsertItem(&insert);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The control gives no length: a growing buffer until the text fits.
    CString text;
    for (int nLen = 128;; nLen *= 2) {
        TVITEMA item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text.GetBuffer(nLen);
        item.cchTextMax = nLen + 1;
        BOOL bGot = GetItem(&item);
        text.ReleaseBuffer(bGot ? -1 : 0);
        if (!bGot || text.GetLength() < nLen)
            return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = (LPSTR)lpszItem;
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    GetItem(&item);
    return item.lParam;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMA item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = dwData;
    return SetItem(&item);
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMA item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    // The item goes in through the rectangle's first bytes, as the message asks.
    *(HTREEITEM*)lpRect = hItem;
    return (BOOL)Send(TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info = {};
    info.pt = pt;
    HTREEITEM hItem = (HTREEITEM)Send(TVM_HITTEST, 0, (LPARAM)&info);
    if (pFlags != NULL)
        *pFlags = info.flags;
    return hItem;
}

CImageList* CTreeCtrl::GetImageList(int nImageList) const
{
    return CImageList::FromHandle((HIMAGELIST)Send(TVM_GETIMAGELIST, nImageList));
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)Send(TVM_SETIMAGELIST, nImageListType,
                                                   (LPARAM)pImageList->GetSafeHandle()));
}
