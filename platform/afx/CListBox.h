// CListBox: a list box. An owner-drawn one (LBS_OWNERDRAW*) is measured and drawn by the
// virtual MeasureItem and DrawItem; CompareItem orders a sorted one and DeleteItem hears of
// each item's end.
#pragma once

#include "CWnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return (int)Send(LB_GETCOUNT); }
    int GetCurSel() const { return (int)Send(LB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)Send(LB_SETCURSEL, nSelect); }
    int GetSel(int nIndex) const { return (int)Send(LB_GETSEL, nIndex); }
    int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)Send(LB_SETSEL, bSelect, nIndex); }
    int GetSelCount() const { return (int)Send(LB_GETSELCOUNT); }
    int GetTopIndex() const { return (int)Send(LB_GETTOPINDEX); }
    int SetTopIndex(int nIndex) { return (int)Send(LB_SETTOPINDEX, nIndex); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)Send(LB_GETITEMDATA, nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)Send(LB_SETITEMDATA, nIndex, dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetItemRect(int nIndex, LPRECT lpRect) const { return (int)Send(LB_GETITEMRECT, nIndex, (LPARAM)lpRect); }
    int GetText(int nIndex, LPTSTR lpszBuffer) const { return (int)Send(LB_GETTEXT, nIndex, (LPARAM)lpszBuffer); }
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const { return (int)Send(LB_GETTEXTLEN, nIndex); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)Send(LB_SETITEMHEIGHT, nIndex, MAKELPARAM(cyItemHeight, 0)); }
    int GetItemHeight(int nIndex) const { return (int)Send(LB_GETITEMHEIGHT, nIndex); }
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;

    int AddString(LPCTSTR lpszItem) { return (int)Send(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
    int InsertString(int nIndex, LPCTSTR lpszItem) { return (int)Send(LB_INSERTSTRING, nIndex, (LPARAM)lpszItem); }
    int DeleteString(UINT nIndex) { return (int)Send(LB_DELETESTRING, nIndex); }
    void ResetContent() { Send(LB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const { return (int)Send(LB_FINDSTRING, nStartAfter, (LPARAM)lpszItem); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)Send(LB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind); }
    int SelectString(int nStartAfter, LPCTSTR lpszItem) { return (int)Send(LB_SELECTSTRING, nStartAfter, (LPARAM)lpszItem); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // Negative, 0 or positive as item 1 sorts before, with or after item 2; 0 by default.
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
};
