#include "CWinThread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() : m_pMainWnd(NULL)
{
}

CWinThread::~CWinThread() = default;
