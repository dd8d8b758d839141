#include "CHotKeyCtrl.h"

#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CHotKeyCtrl, CWnd)

BOOL CHotKeyCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_HOTKEY_CLASS);
    return CWnd::Create(HOTKEY_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}
