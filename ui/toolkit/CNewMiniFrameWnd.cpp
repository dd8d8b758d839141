#include "CNewMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CNewMiniFrameWnd, CMiniFrameWnd)

CNewMiniFrameWnd::CNewMiniFrameWnd()
{
}
