#include "CMenuHostFrame.h"

CString CMenuHostFrameSupport::TitleOf(UINT nID)
{
    CString strFull;
    if (!strFull.LoadString(nID))
        return CString();
    int nEnd = strFull.Find('\n');
    return nEnd < 0 ? strFull : strFull.Left(nEnd);
}

void CMenuHostFrameSupport::SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd* pChild = CWnd::FromHandlePermanent(hChild))
            pChild->SendMessage(message, wParam, lParam);
        SendToDescendants(hChild, message, wParam, lParam);
    }
}
