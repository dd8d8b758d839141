#include "DiskInfo.h"

namespace {

int ToMB(ULONGLONG bytes)
{
    return (int)(bytes >> 20);
}

} // namespace

CDiskInfo::CDiskInfo(LPCTSTR root) : m_root(root), m_totalMB(1), m_freeMB(0)
{
    if (m_root.GetLength() > 3)
        m_root = m_root.Left(3);
}

CDiskInfo::~CDiskInfo() = default;

BOOL CDiskInfo::ReadSpace()
{
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(m_root, &available, &total, &free))
        return FALSE;
    m_totalMB = ToMB(total.QuadPart);
    m_freeMB = ToMB(free.QuadPart);
    return TRUE;
}

BOOL CDiskInfo::ReadVolume()
{
    if (!ReadSpace())
        return FALSE;
    char label[MAX_PATH + 1] = "";
    if (GetVolumeInformationA(m_root, label, sizeof(label), NULL, NULL, NULL, NULL, 0))
        m_label = label;
    return TRUE;
}

int CDiskInfo::Refresh()
{
    ReadSpace();
    return m_freeMB;
}

int CDiskInfo::GetFreePercent()
{
    Refresh();
    if (m_totalMB <= 0)
        return 0;
    return (int)((LONGLONG)m_freeMB * 100 / m_totalMB);
}
