#include "CMDIFrameWnd.h"

#include "CMDIChildWnd.h"
#include "CMenu.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

namespace {

// The first id the MDI client gives its children, beside the commands of a menu.
const UINT kFirstChildId = 0xFF00;

} // namespace

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL)
{
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    // The "Window" popup is the second-last of the menu by convention.
    CMenu* pWindowMenu = NULL;
    HMENU hMenu = ::GetMenu(m_hWnd);
    int nCount = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    if (nCount >= 2 && ::GetSubMenu(hMenu, nCount - 2) != NULL)
        pWindowMenu = CMenu::FromHandle(::GetSubMenu(hMenu, nCount - 2));
    return CreateClient(lpcs, pWindowMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = kFirstChildId;
    CRect client;
    GetClientRect(&client);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                            WS_VSCROLL | WS_HSCROLL,
                                        0, 0, client.Width(), client.Height(), m_hWnd,
                                        (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST, AfxGetInstanceHandle(),
                                        &ccs);
    return m_hWndMDIClient != NULL;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWndMDIClient != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        MDIGetActive() != NULL && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CMDIFrameWnd::RecalcLayout(BOOL)
{
    if (m_hWndMDIClient == NULL)
        return;
    CRect client;
    GetClientRect(&client);
    ::MoveWindow(m_hWndMDIClient, 0, 0, client.Width(), client.Height(), TRUE);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL
                    ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = hWnd != NULL && bMaximized;
    return DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandlePermanent(hWnd));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile()
{
    ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0);
}
