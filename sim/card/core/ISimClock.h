#pragma once

#include <windows.h>

// Time source of the card model. Lock times, key holds and answer pulses are deadlines
// checked against it at the start of each access, so a test clock needs no waiting.
class ISimClock
{
public:
    virtual ~ISimClock() {}
    virtual LONGLONG NowUs() = 0;
};
