#include "DiskManager.h"

CDiskManager::CDiskManager() = default;

CDiskManager::~CDiskManager() = default;

BOOL CDiskManager::Refresh()
{
    m_disks.clear();
    char roots[MAX_PATH + 1] = "";
    DWORD length = GetLogicalDriveStringsA(MAX_PATH, roots);
    if (length == 0 || length > MAX_PATH)
        return FALSE;
    for (const char* root = roots; *root; root += strlen(root) + 1) {
        if (GetDriveTypeA(root) != DRIVE_FIXED)
            continue;
        std::unique_ptr<CDiskInfo> disk(new CDiskInfo(root));
        disk->ReadVolume();
        m_disks.push_back(std::move(disk));
    }
    return TRUE;
}

CDiskInfo* CDiskManager::GetDisk(int index) const
{
    if (index < 0 || index >= GetCount())
        return NULL;
    return m_disks[index].get();
}

CDiskInfo* CDiskManager::FindDisk(LPCTSTR root) const
{
    for (const auto& disk : m_disks) {
        if (disk->GetRoot().CompareNoCase(root) == 0)
            return disk.get();
    }
    return NULL;
}

void CDiskManager::SelectDisks(int thresholdMB, BOOL above, CStringArray& roots) const
{
    for (const auto& disk : m_disks) {
        BOOL isAbove = disk->Refresh() > thresholdMB;
        if (isAbove == !!above)
            roots.Add(disk->GetRoot());
    }
}
