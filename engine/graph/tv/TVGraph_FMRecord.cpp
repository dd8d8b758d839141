#include "TVGraph.h"

#include "DeinterlaceFilter.h"

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
        // The wrapper goes with its filter: one left behind out of the graph would keep the
        // next preview from making the filter again, and the picture would not come back.
        m_builder.RemoveWrapper(m_deinterlace);
        m_deinterlace = NULL;
        SetVideoSource(kFm, TRUE);
    }
    return 0;
}
