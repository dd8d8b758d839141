#include "CNewMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CNewMDIChildWnd, CMDIChildWnd)

CNewMDIChildWnd::CNewMDIChildWnd()
{
}
