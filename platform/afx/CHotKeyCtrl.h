// CHotKeyCtrl: a hot-key control.
#pragma once

#include "CWnd.h"

#include <commctrl.h>

class CHotKeyCtrl : public CWnd {
    DECLARE_DYNAMIC(CHotKeyCtrl)
public:
    CHotKeyCtrl() {}

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // wModifiers: HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, HOTKEYF_EXT.
    void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers)
    {
        SendMessage(HKM_SETHOTKEY, MAKEWORD(wVirtualKeyCode, wModifiers));
    }
    DWORD GetHotKey() const { return (DWORD)::SendMessageA(m_hWnd, HKM_GETHOTKEY, 0, 0); }
    void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const
    {
        DWORD dw = GetHotKey();
        wVirtualKeyCode = LOBYTE(LOWORD(dw));
        wModifiers = HIBYTE(LOWORD(dw));
    }
    void SetRules(WORD wInvalidComb, WORD wModifiers)
    {
        SendMessage(HKM_SETRULES, wInvalidComb, MAKELPARAM(wModifiers, 0));
    }
};
