#pragma once

#include <afx.h>

#include <memory>
#include <vector>

#include "DiskInfo.h"

// The computer's fixed drives, in the order the system lists them.
class CDiskManager
{
public:
    CDiskManager();
    virtual ~CDiskManager();

    // Lists the drives afresh (the old records go); FALSE when the system lists none.
    BOOL Refresh();
    int GetCount() const { return (int)m_disks.size(); }
    // NULL outside 0 .. count - 1.
    CDiskInfo* GetDisk(int index) const;
    // The first drive of that root, without regard to case; NULL when none.
    CDiskInfo* FindDisk(LPCTSTR root) const;
    // Appends the roots of the drives whose free MB, read now, is above thresholdMB (above) or
    // not above it.
    void SelectDisks(int thresholdMB, BOOL above, CStringArray& roots) const;

private:
    CDiskManager(const CDiskManager&);
    CDiskManager& operator=(const CDiskManager&);

    std::vector<std::unique_ptr<CDiskInfo>> m_disks;
};
