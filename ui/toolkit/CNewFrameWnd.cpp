#include "CNewFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewFrameWnd, CFrameWnd)

CNewFrameWnd::CNewFrameWnd()
{
}

CNewFrameWnd::~CNewFrameWnd()
{
    if (m_hMenuDefault == m_NewMenu.m_hMenu)
        m_hMenuDefault = NULL;
}

BOOL CNewFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    return LoadFrameWithNewMenu(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}
