#pragma once

#include "NamedMutex.h"
#include "WorkerThread.h"

class ISignalSource;

// Reads the card's remote-control key at a fixed period and posts each key to the device's
// notify window as WM_REMOTE_KEY.
class CRemotePollThread : public CWorkerThread
{
public:
    explicit CRemotePollThread(ISignalSource* device);
    virtual ~CRemotePollThread();

    virtual BOOL CanRun();

    BOOL ReadKey(DWORD* key);
    BOOL SetPeriod(LONG ms);

protected:
    virtual DWORD Run();
    virtual DWORD OnExit();

private:
    enum { kDefaultPeriodMs = 100 };

    // Not owned: the device owns this thread and deletes it before itself.
    ISignalSource* m_device;
    // Shared with device initialisation and every other process that reads the receiver.
    CNamedMutex m_mutex;
    // Written with interlocked exchanges, read by the thread between waits.
    LONG m_period;
};
