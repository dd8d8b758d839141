#include "CMDIChildWnd.h"

#include "CCreateContext.h"
#include "CMDIFrameWnd.h"
#include "CWinApp.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd()
{
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
        pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL || m_hWnd != NULL)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : "";
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)pContext;
    HookCreation(this);
    HWND hWnd = (HWND)::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    TakeCreationHook();
    // A window that failed in WM_CREATE has already gone through PostNcDestroy.
    if (hWnd == NULL)
        return FALSE;
    if (cs.style & WS_VISIBLE)
        ::ShowWindow(hWnd, (cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull, strTitle;
    if (strFull.LoadString(nIDResource)) {
        // The document name is the second line of the template's string.
        int nStart = strFull.Find('\n');
        if (nStart >= 0) {
            int nEnd = strFull.Find('\n', nStart + 1);
            strTitle = nEnd < 0 ? strFull.Mid(nStart + 1) : strFull.Mid(nStart + 1, nEnd - nStart - 1);
        }
    }
    LPCTSTR lpszClass = GetIconWndClass(dwDefaultStyle, nIDResource);
    return Create(lpszClass, strTitle, dwDefaultStyle, rectDefault,
                  DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd), pContext);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The MDI client gives its children no extended style of the caller's.
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The creation context travels in the MDI creation record.
    MDICREATESTRUCTA* lpmcs = (MDICREATESTRUCTA*)lpCreateStruct->lpCreateParams;
    CCreateContext* pContext = lpmcs != NULL ? (CCreateContext*)lpmcs->lParam : NULL;
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!OnCreateClient(lpCreateStruct, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    MDIDestroy();
    return TRUE;
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    return DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hWndClient)));
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIDestroy()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0);
}
