#pragma once

#include <windows.h>

// A re-entrant critical section. Entered and left only through CCritGuard.
class CCritSection
{
public:
    CCritSection() { InitializeCriticalSection(&m_cs); }
    ~CCritSection() { DeleteCriticalSection(&m_cs); }
    CCritSection(const CCritSection&) = delete;
    CCritSection& operator=(const CCritSection&) = delete;

private:
    friend class CCritGuard;
    CRITICAL_SECTION m_cs;
};
