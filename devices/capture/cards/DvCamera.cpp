#include "DvCamera.h"

#include "1394Access.h"
#include "DvMonitorThread.h"

#include <new>

namespace
{
const char kNoAccessText[] = " Create C1394Access Failed ! \n Please Insert 1394Card!";
const char kNoAccessCaption[] = "Alert";
}

CDvCamera::CDvCamera(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

CDvCamera::CDvCamera(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    InitFields();
    if (!Init())
        SetValid(FALSE);
}

CDvCamera::~CDvCamera()
{
    CloseDv();
}

void CDvCamera::InitFields()
{
    m_access = NULL;
    m_monitor = NULL;
    m_notifyWnd = NULL;
}

BOOL CDvCamera::Init()
{
    // A second Init starts over: nothing of the first may keep running.
    CloseDv();
    m_notifyWnd = NULL;
    if (!CFilterWrapper::Init())
        return FALSE;
    m_access = new (std::nothrow) C1394Access;
    if (!m_access || !m_access->Open(this)) {
        delete m_access;
        m_access = NULL;
        MessageBoxA(NULL, kNoAccessText, kNoAccessCaption, MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL CDvCamera::StartDvMonitor()
{
    StopDvMonitor();
    m_monitor = new CDvMonitorThread(this);
    if (!m_monitor->CanRun())
        return FALSE;
    return m_monitor->Resume() >= 0;
}

BOOL CDvCamera::StopDvMonitor()
{
    delete m_monitor;
    m_monitor = NULL;
    return TRUE;
}

void CDvCamera::CloseDv()
{
    StopDvMonitor();
    delete m_access;
    m_access = NULL;
}

long CDvCamera::GetTransportMode()
{
    long mode = 0;
    if (!m_access || !m_access->GetTransportMode(&mode))
        return 0;
    return mode;
}

BOOL CDvCamera::SetTransportMode(long mode)
{
    return m_access && m_access->SetTransportMode(mode);
}

int CDvCamera::GetDeviceMode()
{
    int mode = 0;
    if (!m_access || !m_access->GetDeviceMode(&mode))
        return 0;
    return mode;
}

BOOL CDvCamera::ReadTimecode(DvTimecode* timecode)
{
    return m_access && m_access->ReadTimecode(timecode);
}

void CDvCamera::SetPendingValue(int value)
{
    if (m_access)
        m_access->SetPendingValue(value);
}
