#pragma once

#include <windows.h>

// A stand-in module's log, C:\sim\log\<module>.log: one line per event, "%010lu %5lu %s\r\n"
// (tick count, process id, text), appended through a handle that every process of the
// prefix shares, so tests can follow it from Linux while the program runs.
class CSimLog
{
public:
    // level: the module's "Trace" switch; 0 writes nothing.
    CSimLog(const char* module, DWORD level);

    // An event (trace level 1 and above).
    void Line(const char* format, ...) const;
    // One line per sample (trace level 2).
    void Sample(const char* format, ...) const;

private:
    void Write(const char* format, va_list args) const;

    char m_path[MAX_PATH];
    DWORD m_level;
};
