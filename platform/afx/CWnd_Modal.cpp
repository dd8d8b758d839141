// CWnd: the framework's modal loop and data exchange.
#include "CWnd.h"

#include "CDataExchange.h"
#include "CUserException.h"
#include "CWinThread.h"

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    while (ContinueModal()) {
        while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!AfxIdle(lIdleCount++))
                bIdle = FALSE;
        }
        if (!::GetMessageA(&msg, NULL, 0, 0)) {
            // Left for the loop outside, which ends too.
            ::PostQuitMessage((int)msg.wParam);
            m_nModalResult = -1;
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (AfxIsIdleMessage(&msg)) {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop if it waits for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*)
{
}
