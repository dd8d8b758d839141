#include "CHoverToolTip.h"

HWND CHoverToolTip::ToolOwner() const
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    return owner ? owner : ::GetParent(m_hWnd);
}

BOOL CHoverToolTip::AddTool(UINT controlId, LPCTSTR text)
{
    HWND control = ::GetDlgItem(::GetParent(m_hWnd), controlId);
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ToolOwner();
    info.uId = (UINT_PTR)control;
    info.lpszText = (LPSTR)text;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

BOOL CHoverToolTip::AddTool(UINT controlId, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddTool(controlId, (LPCTSTR)text);
}

BOOL CHoverToolTip::AddToolRect(UINT toolId, const RECT& rect, LPCTSTR text)
{
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = ToolOwner();
    info.uId = toolId;
    info.rect = rect;
    info.lpszText = (LPSTR)text;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

BOOL CHoverToolTip::AddToolRect(UINT toolId, const RECT& rect, UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    return AddToolRect(toolId, rect, (LPCTSTR)text);
}
