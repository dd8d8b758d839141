#pragma once

#include <windows.h>

// Base of the program's background threads. The thread is created suspended so that the
// subclass can finish its own set-up before Resume; Stop ends it and waits for it.
//
// A subclass whose Run uses its own members must call Stop in its destructor: by the time
// the base destructor runs, those members are gone.
class CWorkerThread
{
public:
    CWorkerThread();

    virtual BOOL Stop();
    virtual BOOL CanRun();
    virtual ~CWorkerThread();

    // The previous suspend count, or -1 without a thread or when resuming fails.
    int Resume();
    int GetPriority();
    static DWORD DefaultOnExit() { return 0; }

protected:
    // Runs on the thread. It must return soon after the stop event is signalled or the
    // stop flag is set.
    virtual DWORD Run() = 0;
    // Runs on the thread after Run; its result is the thread's exit code.
    virtual DWORD OnExit() = 0;

    BOOL IsStopping() const { return m_stopFlag != 0; }
    HANDLE GetStopEvent() const { return m_hStopEvent; }

private:
    CWorkerThread(const CWorkerThread&);
    CWorkerThread& operator=(const CWorkerThread&);

    static unsigned __stdcall ThreadProc(void* param);
    void ResumeFully();

    // Owned by the owner's thread alone: only Stop closes it, after the thread has ended.
    HANDLE m_hThread;
    unsigned m_threadId;
    LONG m_suspendCount;
    // Written with interlocked exchanges by the owner, read by the thread.
    LONG m_stopFlag;
    // Set by the base destructor: the subclass is gone, so the thread must not call Run
    // or OnExit any more.
    LONG m_destroying;
    // Auto-reset; signalled by Stop, waited on by Run.
    HANDLE m_hStopEvent;
};
