// CListCtrl: a list-view control. An LVS_OWNERDRAWFIXED report is drawn by DrawItem.
#pragma once

#include "CHeaderCtrl.h"
#include "CRect.h"
#include "CString.h"

class CImageList;

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)Send(LVM_GETITEMCOUNT); }
    BOOL GetItem(LVITEMA* pItem) const { return (BOOL)Send(LVM_GETITEMA, 0, (LPARAM)pItem); }
    BOOL SetItem(const LVITEMA* pItem) { return (BOOL)Send(LVM_SETITEMA, 0, (LPARAM)pItem); }
    int InsertItem(const LVITEMA* pItem) { return (int)Send(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem) { return (BOOL)Send(LVM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return (BOOL)Send(LVM_DELETEALLITEMS); }
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const { return (UINT)Send(LVM_GETITEMSTATE, nItem, nMask); }
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& ref) const;
    int GetNextItem(int nItem, int nFlags) const { return (int)Send(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)); }
    int GetSelectionMark() const { return (int)Send(LVM_GETSELECTIONMARK); }
    int SetSelectionMark(int iIndex) { return (int)Send(LVM_SETSELECTIONMARK, 0, iIndex); }
    UINT GetSelectedCount() const { return (UINT)Send(LVM_GETSELECTEDCOUNT); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return (BOOL)Send(LVM_ENSUREVISIBLE, nItem, bPartialOK); }
    int HitTest(LVHITTESTINFO* pHitTestInfo) const { return (int)Send(LVM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo) { return (int)Send(LVM_SUBITEMHITTEST, 0, (LPARAM)pInfo); }
    int GetTopIndex() const { return (int)Send(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)Send(LVM_GETCOUNTPERPAGE); }
    BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)Send(LVM_REDRAWITEMS, nFirst, nLast); }

    int InsertColumn(int nCol, const LVCOLUMNA* pColumn) { return (int)Send(LVM_INSERTCOLUMNA, nCol, (LPARAM)pColumn); }
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol) { return (BOOL)Send(LVM_DELETECOLUMN, nCol); }
    int GetColumnWidth(int nCol) const { return (int)Send(LVM_GETCOLUMNWIDTH, nCol); }
    BOOL SetColumnWidth(int nCol, int cx) { return (BOOL)Send(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)); }
    CHeaderCtrl* GetHeaderCtrl() const { return (CHeaderCtrl*)CWnd::FromHandle((HWND)Send(LVM_GETHEADER)); }

    DWORD GetExtendedStyle() const { return (DWORD)Send(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD dwNewStyle) { return (DWORD)Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle); }
    COLORREF GetBkColor() const { return (COLORREF)Send(LVM_GETBKCOLOR); }
    BOOL SetBkColor(COLORREF cr) { return (BOOL)Send(LVM_SETBKCOLOR, 0, cr); }
    BOOL SetTextColor(COLORREF cr) { return (BOOL)Send(LVM_SETTEXTCOLOR, 0, cr); }
    BOOL SetTextBkColor(COLORREF cr) { return (BOOL)Send(LVM_SETTEXTBKCOLOR, 0, cr); }
    CImageList* GetImageList(int nImageList) const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) { return (BOOL)Send(LVM_SORTITEMS, dwData, (LPARAM)pfnCompare); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
