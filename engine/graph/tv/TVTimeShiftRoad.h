#pragma once

#include "CString.h"

#include <windows.h>

class CAcmWrapperFilter;
class CFilterWrapper;
class CMpeg2DemuxFilter;
class CMpegEncoderFilter;
class CTimeShiftFilter;
class CTVGraph;

// Time shift: the card's picture and sound encoded into the time-shift file and played back
// from it, so that the picture can be paused and moved within the buffered time. It keeps the
// buffer's settings and owns the road's wrappers, which belong to the graph's builder like
// every wrapper: they are cleared whenever the builder deletes its wrappers.
class CTVTimeShiftRoad
{
public:
    explicit CTVTimeShiftRoad(CTVGraph& graph) : m_graph(graph) {}

    // Builds the road in a new graph and runs it; a road that cannot be built or run goes,
    // and the graph returns to the preview.
    BOOL Start();
    BOOL Stop();
    BOOL IsOn() const { return m_on; }
    BOOL IsPaused() const { return m_paused; }
    BOOL TogglePause();
    BOOL GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current);
    BOOL SetPosition(LONGLONG position);
    void Clear();

    void SetFile(const char* name) { m_file = name; }
    const CString& GetFile() const { return m_file; }
    CFilterWrapper* GetSound() const { return m_soundRenderer; }
    BOOL SetLength(int seconds);
    int GetLength() const { return m_seconds; }
    BOOL SetBitrate(int kbps);
    void SetReserve(LONG value) { m_reserve = value; }
    LONG GetReserve() const { return m_reserve; }
    LONGLONG GetKbits() const;
    static LONGLONG BufferBytes(int audioRateIndex, double videoBitsPerSecond, int seconds);

private:
    CTVTimeShiftRoad(const CTVTimeShiftRoad&);
    CTVTimeShiftRoad& operator=(const CTVTimeShiftRoad&);

    BOOL AddFilters();
    BOOL Configure();
    BOOL Connect();
    BOOL ConnectVideo();
    BOOL SetUp();
    BOOL UseSoundClock();

    CTVGraph& m_graph;  // weak: the graph owns its roads; the road builds on its preview and sound

    BOOL m_on = FALSE;
    BOOL m_paused = FALSE;
    CString m_file{"C:\\TimeShift.mpg"};
    int m_seconds = 600;
    LONG m_reserve = 0;
    int m_kbps = 4500;

    CMpegEncoderFilter* m_encoder = NULL;
    CAcmWrapperFilter* m_acmWrapper = NULL;
    CTimeShiftFilter* m_timeShift = NULL;
    CMpeg2DemuxFilter* m_demux = NULL;
    CFilterWrapper* m_videoDecoder = NULL;
    CFilterWrapper* m_audioDecoder = NULL;
    CFilterWrapper* m_soundRenderer = NULL;
    CFilterWrapper* m_defaultRenderer = NULL;
};
