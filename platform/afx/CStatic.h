// CStatic: a static control (text, icon or bitmap). An SS_OWNERDRAW one is drawn by DrawItem.
#pragma once

#include "CWnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() {}

    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);

    HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon); }
    HICON GetIcon() const { return (HICON)::SendMessageA(m_hWnd, STM_GETICON, 0, 0); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
    }
    HBITMAP GetBitmap() const { return (HBITMAP)::SendMessageA(m_hWnd, STM_GETIMAGE, IMAGE_BITMAP, 0); }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
