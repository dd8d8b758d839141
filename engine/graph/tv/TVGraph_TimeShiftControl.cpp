#include "TVGraph.h"

#include "TimeShiftFilter.h"

namespace
{

const int kMinTimeShiftSeconds = 600;
const int kMinTimeShiftKbps = 4500;
const int kMaxTimeShiftKbps = 18000;
// The sound's share of the buffer at the encoder's default rate.
const int kDefaultAudioKbps = 224;

// MPEG-1 Layer II bit rates in kbit/s by index 1 to 14.
const int kLayer2Kbps[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};

} // namespace

BOOL CTVGraph::SetTimeShiftLength(int seconds)
{
    if (seconds < kMinTimeShiftSeconds)
        return FALSE;
    m_timeShiftSeconds = seconds;
    return TRUE;
}

BOOL CTVGraph::SetTimeShiftBitrate(int kbps)
{
    if (kbps < kMinTimeShiftKbps || kbps > kMaxTimeShiftKbps)
        return FALSE;
    m_timeShiftKbps = kbps;
    return TRUE;
}

LONGLONG CTVGraph::GetTimeShiftKbits() const
{
    return (LONGLONG)(m_timeShiftKbps + kDefaultAudioKbps) * m_timeShiftSeconds;
}

LONGLONG CTVGraph::TimeShiftBufferBytes(int audioRateIndex, double videoBitsPerSecond, int seconds)
{
    int kbps = audioRateIndex >= 1 && audioRateIndex <= 14 ? kLayer2Kbps[audioRateIndex] : kDefaultAudioKbps;
    double audioBytesPerSecond = kbps * 125.0;
    return (LONGLONG)((audioBytesPerSecond + videoBitsPerSecond * 0.125) * seconds);
}

void CTVGraph::ClearTimeShiftWrapperPointers()
{
    m_timeShift = NULL;
    m_demux = NULL;
    m_videoDecoder = NULL;
    m_audioDecoder = NULL;
    m_soundRenderer = NULL;
    m_defaultRenderer = NULL;
}

BOOL CTVGraph::ToggleTimeShiftPause()
{
    if (!m_timeShiftOn || !m_timeShift || !m_timeShift->TogglePause())
        return FALSE;
    m_timeShiftPaused = !m_timeShiftPaused;
    return TRUE;
}

BOOL CTVGraph::GetTimeShiftPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current)
{
    return m_timeShiftOn && m_timeShift && m_timeShift->GetPosition(total, available, current);
}

BOOL CTVGraph::SetTimeShiftPosition(LONGLONG position)
{
    return m_timeShiftOn && m_timeShift && m_timeShift->SetPosition(position);
}
