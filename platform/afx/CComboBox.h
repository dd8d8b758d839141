// CComboBox: a combo box. An owner-drawn one (CBS_OWNERDRAW*) is measured and drawn by the
// virtual MeasureItem and DrawItem; CompareItem orders a sorted one and DeleteItem hears of
// each item's end.
#pragma once

#include "CWnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    CComboBox() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const { return (int)Send(CB_GETCOUNT); }
    int GetCurSel() const { return (int)Send(CB_GETCURSEL); }
    int SetCurSel(int nSelect) { return (int)Send(CB_SETCURSEL, nSelect); }
    DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)Send(CB_GETITEMDATA, nIndex); }
    int SetItemData(int nIndex, DWORD_PTR dwItemData) { return (int)Send(CB_SETITEMDATA, nIndex, dwItemData); }
    void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
    int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
    int GetLBText(int nIndex, LPTSTR lpszText) const { return (int)Send(CB_GETLBTEXT, nIndex, (LPARAM)lpszText); }
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const { return (int)Send(CB_GETLBTEXTLEN, nIndex); }
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return (int)Send(CB_SETITEMHEIGHT, nIndex, MAKELPARAM(cyItemHeight, 0)); }
    int GetItemHeight(int nIndex) const { return (int)Send(CB_GETITEMHEIGHT, nIndex); }
    BOOL LimitText(int nMaxChars) { return (BOOL)Send(CB_LIMITTEXT, nMaxChars); }
    BOOL SetEditSel(int nStartChar, int nEndChar) { return (BOOL)Send(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)); }
    int SetDroppedWidth(UINT nWidth) { return (int)Send(CB_SETDROPPEDWIDTH, nWidth); }
    BOOL GetDroppedState() const { return (BOOL)Send(CB_GETDROPPEDSTATE); }
    void ShowDropDown(BOOL bShowIt = TRUE) { Send(CB_SHOWDROPDOWN, bShowIt); }
    void GetDroppedControlRect(LPRECT lprect) const { Send(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect); }

    int AddString(LPCTSTR lpszString) { return (int)Send(CB_ADDSTRING, 0, (LPARAM)lpszString); }
    int InsertString(int nIndex, LPCTSTR lpszString) { return (int)Send(CB_INSERTSTRING, nIndex, (LPARAM)lpszString); }
    int DeleteString(UINT nIndex) { return (int)Send(CB_DELETESTRING, nIndex); }
    void ResetContent() { Send(CB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszString) const { return (int)Send(CB_FINDSTRING, nStartAfter, (LPARAM)lpszString); }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const { return (int)Send(CB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind); }
    int SelectString(int nStartAfter, LPCTSTR lpszString) { return (int)Send(CB_SELECTSTRING, nStartAfter, (LPARAM)lpszString); }

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
