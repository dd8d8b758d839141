#include "CMiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_dwBarStyle(0)
{
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    m_dwBarStyle = dwBarStyle;
    return CMiniFrameWnd::CreateEx(0, NULL, "",
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_THICKFRAME | MFS_SYNCACTIVE,
                                   rectDefault, pParent);
}
