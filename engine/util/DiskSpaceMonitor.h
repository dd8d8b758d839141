#pragma once

#include <afx.h>

#include "DiskManager.h"
#include "TimerObject.h"

// Watches the free space of one drive on a timer of the user-interface thread and posts
// WM_DISK_SPACE_LOW to a window at every check while the space is at or below a threshold.
// wParam of the message points at the watched root text, which the monitor keeps for its whole
// lifetime; lParam is the free MB, 0 when the drive can no longer be read.
class CDiskSpaceMonitor
{
public:
    CDiskSpaceMonitor();
    virtual ~CDiskSpaceMonitor();

    // Lists the drives afresh and keeps the window to tell; the result of the listing.
    BOOL Init(HWND notify);
    // Lists the drives again (one added or gone) and watches the same root in the new list:
    // refreshing the list itself would leave the watched record behind.
    BOOL RefreshDisks();
    // FALSE when the drive list has no such root.
    BOOL SetDisk(LPCTSTR root, int thresholdMB);
    CDiskInfo* GetDisk() const { return m_disk; }
    CDiskManager& GetDiskManager() { return m_disks; }

    void Start(UINT intervalMs);
    void Stop();
    BOOL IsRunning() const { return m_running; }

    // One look at the watched drive.
    virtual void Check();

private:
    CDiskSpaceMonitor(const CDiskSpaceMonitor&);
    CDiskSpaceMonitor& operator=(const CDiskSpaceMonitor&);

    // The timer callback has no arguments: it finds the monitor whose timer is firing among all
    // monitors. The timer is stopped around the check so that checks never overlap.
    static int OnTimer();

    HWND m_notify;
    // The text posted with WM_DISK_SPACE_LOW: an array of the monitor's own, so a posted
    // pointer stays valid while the message waits, whatever happens to the drive list.
    char m_root[MAX_PATH];
    int m_thresholdMB;
    CTimerObject m_timer;
    CDiskInfo* m_disk;  // a record of m_disks; NULL: none watched
    BOOL m_running;
    CDiskManager m_disks;
};
