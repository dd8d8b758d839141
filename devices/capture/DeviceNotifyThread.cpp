#include "DeviceNotifyThread.h"

#include "CaptureDevice.h"

CDeviceNotifyThread::CDeviceNotifyThread(CCaptureDevice* owner) : m_owner(owner)
{
}

CDeviceNotifyThread::~CDeviceNotifyThread()
{
    Stop();
}

BOOL CDeviceNotifyThread::CanRun()
{
    return m_owner != NULL && CWorkerThread::CanRun();
}

DWORD CDeviceNotifyThread::Run()
{
    HANDLE handles[2] = {GetStopEvent(), m_owner->GetDeviceEvent()};
    while (!IsStopping()) {
        DWORD woken = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + 1 && !IsStopping()) {
            CCaptureDevice::DeviceCallback callback = m_owner->GetDeviceCallback();
            if (callback)
                callback(m_owner);
            continue;
        }
        // Stopped, or the event is gone: nothing the driver signals from now on is wanted.
        if (handles[1])
            ResetEvent(handles[1]);
        break;
    }
    return 0;
}

DWORD CDeviceNotifyThread::OnExit()
{
    return DefaultOnExit();
}
