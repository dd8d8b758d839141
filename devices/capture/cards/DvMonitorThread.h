#pragma once

#include "WorkerThread.h"

class CDvCamera;

// Every 200 ms reads the DV device's mode and, for a VCR, its transport mode and time code,
// and posts them to the camera's notify window as WM_DV_EVENT, changed or not:
// wParam = device mode << 16 | transport mode, lParam = the time code with the hours in
// the lowest byte and the frames in the highest; both parts are 0 unless the device is a VCR.
class CDvMonitorThread : public CWorkerThread
{
public:
    enum { kPeriodMs = 200 };

    explicit CDvMonitorThread(CDvCamera* camera);
    virtual ~CDvMonitorThread();

    // Only while the camera has its access object.
    virtual BOOL CanRun();

protected:
    virtual DWORD Run();
    virtual DWORD OnExit();

private:
    // Not owned: the camera owns this thread and deletes it before its access object.
    CDvCamera* m_camera;
};
