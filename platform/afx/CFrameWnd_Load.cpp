// CFrameWnd: the icon class of a frame, its accelerators, and the frame classes' registration.
#include "CFrameWnd.h"

#include "AfxEndDeferRegisterClass.h"
#include "CDialog.h"
#include "CWinApp.h"

BOOL AFXAPI AfxEndDeferRegisterClass(LONG fToRegister)
{
    if (fToRegister & ~AFX_WNDFRAMEORVIEW_REG)
        return FALSE;
    // The attributes CFrameWnd::PreCreateWindow asks for, so that both name the one class.
    if (fToRegister & AFX_WNDFRAMEORVIEW_REG)
        return AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                   (HBRUSH)(COLOR_WINDOW + 1)) != NULL;
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource)
{
    LPCTSTR lpszIcon = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    if (hIcon == NULL)
        return NULL;
    CREATESTRUCT cs = {};
    cs.style = dwDefaultStyle;
    PreCreateWindow(cs);
    WNDCLASSA wndcls;
    if (cs.lpszClass == NULL || !::GetClassInfoA(AfxGetInstanceHandle(), cs.lpszClass, &wndcls) ||
        wndcls.hIcon == hIcon)
        return NULL;
    return AfxRegisterWndClass(wndcls.style, wndcls.hCursor, wndcls.hbrBackground, hIcon);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR),
                                        lpszResourceName);
    return m_hAccelTable != NULL;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}
