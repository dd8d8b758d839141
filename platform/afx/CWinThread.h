// CWinThread: a thread of the application and its message loop.
//
// Run pumps messages until WM_QUIT: each one goes through PreTranslateMessage (the pre-translate
// walk from the message's window up its parents and owners to the main window, then the main
// window when the walk did not reach it) before it is dispatched; when the queue is empty OnIdle
// runs, which frees the thread's temporary objects. The framework's modal loops pump the same
// way (AfxPreTranslateMessage, AfxIdle).
#pragma once

#include "CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd;  // not owned
    DWORD m_nThreadID;
    MSG m_msgCur;      // the message being pumped

    virtual BOOL InitInstance();
    // The message loop; the result of ExitInstance.
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // lCount counts the calls since the last message; FALSE when no more idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for WM_QUIT.
    virtual BOOL PumpMessage();
    // Messages that do not end an idle spell (a repeated mouse move, the caret's timer).
    virtual BOOL IsIdleMessage(MSG* pMsg);

private:
    POINT m_ptCursorLast;
    UINT m_nMsgLast;
};

// The application object's thread when called on it, else NULL.
CWinThread* AFXAPI AfxGetThread();
// The thread's PreTranslateMessage, or the walk alone on a thread without an application.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
// The thread's OnIdle, or the freeing of temporary objects (answering FALSE) without one.
BOOL AFXAPI AfxIdle(LONG lCount);
// The thread's IsIdleMessage, or TRUE without one.
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
