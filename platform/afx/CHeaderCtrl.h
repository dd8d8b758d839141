// CHeaderCtrl: a header control. An owner-drawn item (HDF_OWNERDRAW) is drawn by DrawItem.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return (int)Send(HDM_GETITEMCOUNT); }
    int InsertItem(int nPos, HDITEMA* phdi) { return (int)Send(HDM_INSERTITEMA, nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)Send(HDM_DELETEITEM, nPos); }
    BOOL GetItem(int nPos, HDITEMA* pHeaderItem) const { return (BOOL)Send(HDM_GETITEMA, nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HDITEMA* pHeaderItem) { return (BOOL)Send(HDM_SETITEMA, nPos, (LPARAM)pHeaderItem); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return (BOOL)Send(HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    BOOL Layout(HDLAYOUT* pHeaderLayout) { return (BOOL)Send(HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo) { return (int)Send(HDM_HITTEST, 0, (LPARAM)pHeaderHitTestInfo); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
