// CButton: a push button, check box, radio button or group box. A BS_OWNERDRAW one is drawn
// by DrawItem.
#pragma once

#include "CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    CButton() {}

    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetState() const { return (UINT)::SendMessageA(m_hWnd, BM_GETSTATE, 0, 0); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, nCheck); }
    UINT GetButtonStyle() const { return (UINT)GetWindowLongA(m_hWnd, GWL_STYLE) & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
    HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
    }
    HBITMAP GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, BM_GETIMAGE, IMAGE_BITMAP, 0); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
