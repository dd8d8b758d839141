#pragma once

#include <afx.h>

#include <ctime>

// A named moment of the program: the processor clock when it was made.
class CDebugScope
{
public:
    explicit CDebugScope(const CString& name = CString()) : m_name(name), m_ticks(clock()) {}
    virtual ~CDebugScope() {}

    const CString m_name;
    const clock_t m_ticks;
};
