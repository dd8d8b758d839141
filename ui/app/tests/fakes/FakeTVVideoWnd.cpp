#include "TVVideoWnd.h"
#include "UiCallLog.h"

CTVVideoWnd theVideoWnd;

void CTVVideoWnd::BeginScan()
{
    CUiCallLog::Add("BeginScan");
}
