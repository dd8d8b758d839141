#include "CNewMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMDIFrameWnd, CMDIFrameWnd)

CNewMDIFrameWnd::CNewMDIFrameWnd()
{
}

CNewMDIFrameWnd::~CNewMDIFrameWnd()
{
    if (m_hMenuDefault == m_NewMenu.m_hMenu)
        m_hMenuDefault = NULL;
}

BOOL CNewMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                CCreateContext* pContext)
{
    if (!LoadFrameWithNewMenu(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}
