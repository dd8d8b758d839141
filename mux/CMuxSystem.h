#pragma once

#include <windows.h>

// What the filter asks of the system about its output volume and the time, in one place so
// a test can answer in its stead (Wine reports every drive as NTFS with room to spare).
class CMuxSystem
{
public:
    virtual ~CMuxSystem() = default;

    // Whether the volume of this root ("C:\" or "\\server\share\") is FAT, and the bytes free
    // to the caller there; -1 when they cannot be had.
    virtual void QueryVolume(const char* root, bool* fat, LONGLONG* freeBytes);
    // The millisecond clock (timeGetTime).
    virtual DWORD Milliseconds();

    static CMuxSystem& Default();
};
