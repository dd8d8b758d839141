// CTabCtrl: a tab control. A TCS_OWNERDRAWFIXED one is drawn by DrawItem.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CImageList;

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)Send(TCM_GETITEMCOUNT); }
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const { return (BOOL)Send(TCM_GETITEMA, nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem) { return (BOOL)Send(TCM_SETITEMA, nItem, (LPARAM)pTabCtrlItem); }
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem) { return (LONG)Send(TCM_INSERTITEMA, nItem, (LPARAM)pTabCtrlItem); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    BOOL DeleteItem(int nItem) { return (BOOL)Send(TCM_DELETEITEM, nItem); }
    BOOL DeleteAllItems() { return (BOOL)Send(TCM_DELETEALLITEMS); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const { return (BOOL)Send(TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
    int GetCurSel() const { return (int)Send(TCM_GETCURSEL); }
    int SetCurSel(int nItem) { return (int)Send(TCM_SETCURSEL, nItem); }
    int GetCurFocus() const { return (int)Send(TCM_GETCURFOCUS); }
    void SetCurFocus(int nItem) { Send(TCM_SETCURFOCUS, nItem); }
    CSize SetItemSize(CSize size) { return CSize((DWORD)Send(TCM_SETITEMSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
    void SetPadding(CSize size) { Send(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return (int)Send(TCM_GETROWCOUNT); }
    int HitTest(TCHITTESTINFO* pHitTestInfo) const { return (int)Send(TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }
    // The display area of a window rectangle (bLarger FALSE), or the reverse.
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { Send(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    CImageList* GetImageList() const;
    CImageList* SetImageList(CImageList* pImageList);
    CWnd* GetToolTips() const { return CWnd::FromHandle((HWND)Send(TCM_GETTOOLTIPS)); }
    void SetToolTips(CWnd* pWndTip) { Send(TCM_SETTOOLTIPS, (WPARAM)pWndTip->GetSafeHwnd()); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
