#include "TVGraph.h"

BOOL CTVGraph::SetFMRecordFormat(int format)
{
    if (format > kFmRecordCustom)
        return FALSE;
    m_fmRecordFormat = format;
    return TRUE;
}

BOOL CTVGraph::StartFMRecord()
{
    if (m_recording)
        return StopRecord();
    m_builder.Stop();
    m_builder.StopAndDisconnectAll();
    return RunRecordRoad(m_fmRecordRoad.Build(m_fmRecordFormat), FALSE);
}

// The radio has no picture: the deinterlace filter leaves the graph so nothing waits on it.
int CTVGraph::SwitchToRadio(BOOL on)
{
    m_recording = FALSE;
    if (on && m_builder.GetState() == CGraphBuilder::kStopped) {
        m_builder.StopAndDisconnectAll();
        // The picture comes back with the next preview, which makes the filter again.
        m_preview.RemoveDeinterlace();
        SetVideoSource(kFm, TRUE);
    }
    return 0;
}
