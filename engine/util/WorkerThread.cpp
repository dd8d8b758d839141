#include "WorkerThread.h"

#include <process.h>

CWorkerThread::CWorkerThread()
    : m_hThread(NULL), m_threadId(0), m_suspendCount(0), m_stopFlag(0), m_destroying(0),
      m_hStopEvent(CreateEventA(NULL, FALSE, FALSE, NULL))
{
    m_hThread = (HANDLE)_beginthreadex(NULL, 0, ThreadProc, this, CREATE_SUSPENDED, &m_threadId);
    if (m_hThread)
        m_suspendCount = 1;
}

CWorkerThread::~CWorkerThread()
{
    InterlockedExchange(&m_destroying, 1);
    Stop();
}

int CWorkerThread::Resume()
{
    if (!m_hThread)
        return -1;
    if (m_suspendCount < 1)
        return m_suspendCount;
    DWORD previous = ResumeThread(m_hThread);
    if (previous == (DWORD)-1)
        return -1;
    InterlockedDecrement(&m_suspendCount);
    return (int)previous;
}

BOOL CWorkerThread::CanRun()
{
    return m_hStopEvent != NULL;
}

BOOL CWorkerThread::Stop()
{
    InterlockedExchange(&m_stopFlag, 1);
    if (m_hThread) {
        if (m_hStopEvent)
            SetEvent(m_hStopEvent);
        // A thread that was never resumed must still run to its end, or the wait below
        // would never return.
        ResumeFully();
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = NULL;
    }
    if (m_hStopEvent) {
        CloseHandle(m_hStopEvent);
        m_hStopEvent = NULL;
    }
    return TRUE;
}

int CWorkerThread::GetPriority()
{
    return m_hThread ? GetThreadPriority(m_hThread) : THREAD_PRIORITY_ERROR_RETURN;
}

void CWorkerThread::ResumeFully()
{
    while (m_suspendCount > 0 && Resume() != -1) {
    }
}

unsigned __stdcall CWorkerThread::ThreadProc(void* param)
{
    CWorkerThread* self = (CWorkerThread*)param;
    if (self->m_destroying)
        return 0;
    if (self->CanRun())
        self->Run();
    if (self->m_destroying)
        return 0;
    return self->OnExit();
}
