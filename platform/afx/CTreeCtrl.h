// CTreeCtrl: a tree-view control.
#pragma once

#include "CString.h"
#include "CWnd.h"

#include <commctrl.h>

class CImageList;

class CTreeCtrl : public CWnd {
    DECLARE_DYNAMIC(CTreeCtrl)
public:
    CTreeCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    HTREEITEM InsertItem(LPTVINSERTSTRUCTA lpInsertStruct) { return (HTREEITEM)Send(TVM_INSERTITEMA, 0, (LPARAM)lpInsertStruct); }
    HTREEITEM InsertItem(LPCTSTR lpszItem, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    HTREEITEM InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem) { return (BOOL)Send(TVM_DELETEITEM, 0, (LPARAM)hItem); }
    BOOL DeleteAllItems() { return DeleteItem(TVI_ROOT); }
    BOOL Expand(HTREEITEM hItem, UINT nCode) { return (BOOL)Send(TVM_EXPAND, nCode, (LPARAM)hItem); }
    UINT GetCount() const { return (UINT)Send(TVM_GETCOUNT); }
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const { return (HTREEITEM)Send(TVM_GETNEXTITEM, nCode, (LPARAM)hItem); }
    HTREEITEM GetChildItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_NEXT); }
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PREVIOUS); }
    HTREEITEM GetParentItem(HTREEITEM hItem) const { return GetNextItem(hItem, TVGN_PARENT); }
    HTREEITEM GetRootItem() const { return GetNextItem(NULL, TVGN_ROOT); }
    HTREEITEM GetSelectedItem() const { return GetNextItem(NULL, TVGN_CARET); }
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    BOOL SelectItem(HTREEITEM hItem) { return (BOOL)Send(TVM_SELECTITEM, TVGN_CARET, (LPARAM)hItem); }
    BOOL GetItem(TVITEMA* pItem) const { return (BOOL)Send(TVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(TVITEMA* pItem) { return (BOOL)Send(TVM_SETITEMA, 0, (LPARAM)pItem); }
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCTSTR lpszItem);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const { return (UINT)Send(TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask); }
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    BOOL GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const;
    HTREEITEM HitTest(CPoint pt, UINT* pFlags = NULL) const;
    BOOL EnsureVisible(HTREEITEM hItem) { return (BOOL)Send(TVM_ENSUREVISIBLE, 0, (LPARAM)hItem); }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    COLORREF SetBkColor(COLORREF clr) { return (COLORREF)Send(TVM_SETBKCOLOR, 0, clr); }
    COLORREF SetTextColor(COLORREF clr) { return (COLORREF)Send(TVM_SETTEXTCOLOR, 0, clr); }

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
