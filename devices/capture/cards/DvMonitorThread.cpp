#include "DvMonitorThread.h"

#include "1394Access.h"
#include "AppMessages.h"
#include "DvCamera.h"

CDvMonitorThread::CDvMonitorThread(CDvCamera* camera) : m_camera(camera)
{
}

CDvMonitorThread::~CDvMonitorThread()
{
    Stop();
}

BOOL CDvMonitorThread::CanRun()
{
    return m_camera != NULL && m_camera->GetAccess() != NULL && CWorkerThread::CanRun();
}

DWORD CDvMonitorThread::Run()
{
    HWND window = m_camera->GetNotifyWnd();
    C1394Access* access = m_camera->GetAccess();
    if (!window || !access)
        return 0;
    while (WaitForSingleObject(GetStopEvent(), kPeriodMs) == WAIT_TIMEOUT && !IsStopping()) {
        int deviceMode = 0;
        access->DeviceModeChanged(&deviceMode);
        long transportMode = 0;
        DvTimecode timecode = {0, 0, 0, 0};
        if (deviceMode == C1394Access::kVcr) {
            access->TransportModeChanged(&transportMode);
            access->ReadTimecode(&timecode);
        }
        WPARAM wParam = ((WPARAM)(deviceMode & 0xFFFF) << 16) | (WPARAM)(transportMode & 0xFFFF);
        LPARAM lParam = (LPARAM)(DWORD)(timecode.hours | timecode.minutes << 8 | timecode.seconds << 16 |
                                        (DWORD)timecode.frames << 24);
        PostMessage(window, WM_DV_EVENT, wParam, lParam);
    }
    return 0;
}

DWORD CDvMonitorThread::OnExit()
{
    return DefaultOnExit();
}
