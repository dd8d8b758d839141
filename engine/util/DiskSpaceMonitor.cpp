#include "DiskSpaceMonitor.h"

#include <algorithm>
#include <vector>

#include "AppMessages.h"

namespace {

// Every monitor alive; touched on the user-interface thread only.
std::vector<CDiskSpaceMonitor*>& Monitors()
{
    static std::vector<CDiskSpaceMonitor*> monitors;
    return monitors;
}

} // namespace

CDiskSpaceMonitor::CDiskSpaceMonitor()
    : m_notify(NULL), m_thresholdMB(1), m_disk(NULL), m_running(FALSE)
{
    m_root[0] = '\0';
    Monitors().push_back(this);
}

CDiskSpaceMonitor::~CDiskSpaceMonitor()
{
    Stop();
    std::vector<CDiskSpaceMonitor*>& monitors = Monitors();
    monitors.erase(std::remove(monitors.begin(), monitors.end(), this), monitors.end());
}

BOOL CDiskSpaceMonitor::Init(HWND notify)
{
    BOOL listed = RefreshDisks();
    m_timer.SetCallback(OnTimer);
    m_notify = notify;
    return listed;
}

BOOL CDiskSpaceMonitor::RefreshDisks()
{
    BOOL listed = m_disks.Refresh();
    // The old records are gone: watch the same root in the new list, if it is still there.
    m_disk = m_root[0] ? m_disks.FindDisk(m_root) : NULL;
    return listed;
}

BOOL CDiskSpaceMonitor::SetDisk(LPCTSTR root, int thresholdMB)
{
    CDiskInfo* disk = m_disks.FindDisk(root);
    if (disk == NULL)
        return FALSE;
    m_disk = disk;
    lstrcpynA(m_root, root, sizeof(m_root));
    m_thresholdMB = thresholdMB;
    return TRUE;
}

void CDiskSpaceMonitor::Start(UINT intervalMs)
{
    m_timer.Stop();
    m_timer.Start(intervalMs);
    m_running = TRUE;
}

void CDiskSpaceMonitor::Stop()
{
    m_timer.Stop();
    m_running = FALSE;
}

void CDiskSpaceMonitor::Check()
{
    if (m_disk == NULL)
        return;
    // A drive that can no longer be read has no space for a recording.
    int freeMB = m_disk->ReadSpace() ? m_disk->GetFreeMB() : 0;
    if (freeMB <= m_thresholdMB)
        PostMessageA(m_notify, WM_DISK_SPACE_LOW, (WPARAM)m_root, freeMB);
}

int CDiskSpaceMonitor::OnTimer()
{
    for (CDiskSpaceMonitor* monitor : Monitors()) {
        if (monitor->m_timer.IsBusy()) {
            monitor->m_timer.Stop();
            monitor->Check();
            monitor->m_timer.Restart();
            break;
        }
    }
    return 0;
}
