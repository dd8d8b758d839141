#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

namespace {

// The framework's own styles share bits with the window class's range; none reaches the system.
const DWORD kMiniFrameStyles =
    MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU;

} // namespace

CMiniFrameWnd::CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                           const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName,
                             DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName != NULL ? lpWindowName : "";
    m_nIDHelp = nID;
    DWORD dwSystemStyle = dwStyle & ~kMiniFrameStyles;
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwSystemStyle |= WS_THICKFRAME;
    if (dwStyle & MFS_BLOCKSYSMENU)
        dwSystemStyle &= ~WS_SYSMENU;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName,
                          dwSystemStyle & ~WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), NULL, NULL);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A palette has no sunken client edge.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}
