#include "CToolTipCtrl.h"

#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    return CWnd::CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL,
                          WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), NULL);
}

// TTTOOLINFOA_V1_SIZE: the record every version of the control takes.
void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    memset(&ti, 0, sizeof(ti));
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != NULL)
        ti.rect = *lpRectTool;
    // The tooltip watches the tool's mouse messages itself, so no RelayEvent is needed.
    ti.uFlags |= TTF_SUBCLASS;
    ti.lpszText = (LPSTR)lpszText;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(ToolInfo, pWnd, nIDTool);
    return (BOOL)::SendMessageA(m_hWnd, TTM_GETTOOLINFOA, 0, (LPARAM)&ToolInfo);
}
