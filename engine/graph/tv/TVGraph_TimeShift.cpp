#include "TVGraph.h"

BOOL CTVGraph::StartTimeShift()
{
    return m_timeShiftRoad.Start();
}

BOOL CTVGraph::StopTimeShift()
{
    return m_timeShiftRoad.Stop();
}

BOOL CTVGraph::ToggleTimeShiftPause()
{
    return m_timeShiftRoad.TogglePause();
}

BOOL CTVGraph::GetTimeShiftPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current)
{
    return m_timeShiftRoad.GetPosition(total, available, current);
}

BOOL CTVGraph::SetTimeShiftPosition(LONGLONG position)
{
    return m_timeShiftRoad.SetPosition(position);
}

BOOL CTVGraph::SetTimeShiftLength(int seconds)
{
    return m_timeShiftRoad.SetLength(seconds);
}

BOOL CTVGraph::SetTimeShiftBitrate(int kbps)
{
    return m_timeShiftRoad.SetBitrate(kbps);
}

LONGLONG CTVGraph::GetTimeShiftKbits() const
{
    return m_timeShiftRoad.GetKbits();
}

LONGLONG CTVGraph::TimeShiftBufferBytes(int audioRateIndex, double videoBitsPerSecond, int seconds)
{
    return CTVTimeShiftRoad::BufferBytes(audioRateIndex, videoBitsPerSecond, seconds);
}
