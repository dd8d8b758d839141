#include "CMuxSystem.h"

#include <mmsystem.h>

void CMuxSystem::QueryVolume(const char* root, bool* fat, LONGLONG* freeBytes)
{
    char fileSystem[MAX_PATH + 1] = "";
    *fat = GetVolumeInformationA(root, nullptr, 0, nullptr, nullptr, nullptr, fileSystem, sizeof(fileSystem)) &&
           _strnicmp(fileSystem, "FAT", 3) == 0;
    ULARGE_INTEGER available;
    *freeBytes = GetDiskFreeSpaceExA(root, &available, nullptr, nullptr)
                     ? static_cast<LONGLONG>(available.QuadPart)
                     : -1;
}

DWORD CMuxSystem::Milliseconds()
{
    return timeGetTime();
}

CMuxSystem& CMuxSystem::Default()
{
    static CMuxSystem system;
    return system;
}
