#include "CSimQpcClock.h"

CSimQpcClock::CSimQpcClock()
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    m_frequency = f.QuadPart > 0 ? f.QuadPart : 1;
}

LONGLONG CSimQpcClock::NowUs()
{
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart / m_frequency * 1000000 + c.QuadPart % m_frequency * 1000000 / m_frequency;
}
