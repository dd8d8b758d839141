#pragma once

#include "ISimClock.h"

// QueryPerformanceCounter in microseconds: one clock for every process of the prefix.
class CSimQpcClock : public ISimClock
{
public:
    CSimQpcClock();
    LONGLONG NowUs() override;

private:
    LONGLONG m_frequency;
};
