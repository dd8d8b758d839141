#pragma once

#include "WorkerThread.h"

class CCaptureDevice;

// Runs its device's callback, on this thread, each time the card's driver signals the
// device's event. Ends when stopped, or when the wait fails or wakes for any other reason.
class CDeviceNotifyThread : public CWorkerThread
{
public:
    explicit CDeviceNotifyThread(CCaptureDevice* owner);
    virtual ~CDeviceNotifyThread();

    // Only while it has an owner.
    virtual BOOL CanRun();

protected:
    virtual DWORD Run();
    virtual DWORD OnExit();

private:
    // Not owned: the device owns this thread and deletes it before itself.
    CCaptureDevice* m_owner;
};
