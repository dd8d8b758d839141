#pragma once

#include <windows.h>

// Holds a transport's critical section for the guard's scope, so every return path leaves it.
class CAutoCritLock
{
public:
    explicit CAutoCritLock(CRITICAL_SECTION* section) : m_section(section) { EnterCriticalSection(m_section); }
    ~CAutoCritLock() { LeaveCriticalSection(m_section); }

private:
    CAutoCritLock(const CAutoCritLock&);
    CAutoCritLock& operator=(const CAutoCritLock&);

    CRITICAL_SECTION* m_section;
};
