#pragma once

#include <windows.h>

#include <atomic>

// Where the video of a run begins, in sample time (100 ns): set once by the first video
// stream's first picture, read by the audio streams that wait for it on other threads.
class MuxSyncClock
{
public:
    void Reset() { m_known = false; }
    void SetVideoStart(LONGLONG start)
    {
        if (m_known)
            return;
        m_start = start;
        m_known = true;
    }
    bool Known() const { return m_known; }
    LONGLONG VideoStart() const { return m_start; }

private:
    std::atomic<LONGLONG> m_start{0};
    std::atomic<bool> m_known{false};
};
