#include "CWinThread.h"

#include "CHandleMap.h"
#include "CWinApp.h"
#include "CWnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_nThreadID(GetCurrentThreadId()), m_msgCur(), m_ptCursorLast(),
      m_nMsgLast(0)
{
}

CWinThread::~CWinThread() = default;

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    HWND hWndMain = m_pMainWnd->GetSafeHwnd();
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg))
        return TRUE;
    // A window outside the main window's tree (a modeless dialog of its own): the main window
    // still sees the message, once.
    if (hWndMain == NULL || pMsg->hwnd == NULL)
        return FALSE;
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        if (hWnd == hWndMain)
            return FALSE;
    }
    return m_pMainWnd->PreTranslateMessage(pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
        return TRUE;
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, NULL, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        BOOL bSame = m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x &&
                     m_ptCursorLast.y == pMsg->pt.y;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !bSame;
    }
    // The caret's blink timer and WM_PAINT come back by themselves.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

CWinThread* AFXAPI AfxGetThread()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->m_nThreadID == GetCurrentThreadId() ? pApp : NULL;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(NULL, pMsg);
}

BOOL AFXAPI AfxIdle(LONG lCount)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL)
        return pThread->OnIdle(lCount);
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    return pThread == NULL || pThread->IsIdleMessage(pMsg);
}
