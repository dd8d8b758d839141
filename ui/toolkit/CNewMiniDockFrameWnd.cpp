#include "CNewMiniDockFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMiniDockFrameWnd, CMiniDockFrameWnd)

CNewMiniDockFrameWnd::CNewMiniDockFrameWnd()
{
}
