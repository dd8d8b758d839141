// CWinThread: a thread of the application. For now only the main window pointer, which
// CWinApp inherits; the user interface layer adds the message loop and thread creation.
#pragma once

#include "CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd;  // not owned
};
