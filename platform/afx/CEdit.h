// CEdit: an edit control.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    CEdit() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // At most nChars bytes may be typed; 0 lifts the limit.
    void SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
    void LimitText(int nChars = 0) { SetLimitText(nChars); }
    UINT GetLimitText() const { return (UINT)::SendMessageA(m_hWnd, EM_GETLIMITTEXT, 0, 0); }
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, nStartChar, nEndChar);
        if (!bNoScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& nStartChar, int& nEndChar) const
    {
        ::SendMessageA(m_hWnd, EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar);
    }
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE)
    {
        SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
    }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly); }
    BOOL GetModify() const { return (BOOL)::SendMessageA(m_hWnd, EM_GETMODIFY, 0, 0); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    int GetLineCount() const { return (int)::SendMessageA(m_hWnd, EM_GETLINECOUNT, 0, 0); }
    void SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, (BYTE)ch); }
    void Clear() { SendMessage(WM_CLEAR); }
    void Copy() { SendMessage(WM_COPY); }
    void Cut() { SendMessage(WM_CUT); }
    void Paste() { SendMessage(WM_PASTE); }
    BOOL Undo() { return (BOOL)SendMessage(EM_UNDO); }
};
