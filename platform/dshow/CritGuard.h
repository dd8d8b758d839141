#pragma once

#include "CritSection.h"

// Holds a CCritSection for the guard's scope, so every return path leaves it.
class CCritGuard
{
public:
    explicit CCritGuard(CCritSection& section) : m_section(section) { EnterCriticalSection(&m_section.m_cs); }
    ~CCritGuard() { LeaveCriticalSection(&m_section.m_cs); }
    CCritGuard(const CCritGuard&) = delete;
    CCritGuard& operator=(const CCritGuard&) = delete;

private:
    CCritSection& m_section;
};
