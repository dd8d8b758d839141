#include "ScratchDrive.h"

#include <algorithm>
#include <cstdlib>

const char kScratchMemoryDrive[] = "R:\\";
const char kScratchDiskDrive[] = "S:\\";

ScratchDrive::ScratchDrive(const char* letter, const char* unixPathVariable) : m_letter(letter)
{
    const char* unixPath = getenv(unixPathVariable);
    if (unixPath == NULL)
        return;
    m_target = std::string("\\??\\unix") + unixPath;
    std::replace(m_target.begin(), m_target.end(), '/', '\\');
    // A run that ended early leaves its letter in the server, which refuses a second one.
    m_defined = DefineDosDeviceA(DDD_RAW_TARGET_PATH, m_letter.c_str(), m_target.c_str()) != FALSE;
    if (!m_defined && GetLastError() == ERROR_ALREADY_EXISTS) {
        DefineDosDeviceA(DDD_REMOVE_DEFINITION, m_letter.c_str(), NULL);
        m_defined = DefineDosDeviceA(DDD_RAW_TARGET_PATH, m_letter.c_str(), m_target.c_str()) != FALSE;
    }
}

ScratchDrive::~ScratchDrive()
{
    if (m_defined)
        DefineDosDeviceA(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                         m_letter.c_str(), m_target.c_str());
}

int ScratchDrive::FreeMB(const char* root)
{
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(root, &available, &total, &free))
        return -1;
    return (int)(free.QuadPart >> 20);
}

bool ScratchDrives::Ready() const
{
    return memory.Defined() && disk.Defined() && ScratchDrive::FreeMB(kScratchMemoryDrive) > 0 &&
           ScratchDrive::FreeMB(kScratchDiskDrive) > 0;
}
