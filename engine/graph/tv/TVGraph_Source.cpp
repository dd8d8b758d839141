#include "TVGraph.h"

#include "CaptureDevice.h"

BOOL CTVGraph::SelectSource(int source)
{
    BOOL result = SetVideoSource(source, TRUE);
    if (source == kTuner)
        SetVideoStandard(GetVideoStandard());
    else if (source == kComposite || source == kSVideo)
        SetSourceStandard(GetVideoStandard());
    return result;
}

// A running preview is rebuilt, so the new standard's picture runs at once.
BOOL CTVGraph::SetSourceStandard(long standard)
{
    BOOL wasRunning = m_builder.GetState() != CGraphBuilder::kStopped;
    if (wasRunning)
        m_builder.StopAndDisconnectAll();
    if (m_videoSource == kComposite || m_videoSource == kSVideo)
        m_standards[m_videoSource] = standard;
    BOOL result = ApplyTVFormat(standard);
    if (wasRunning)
        RebuildPreview();
    return result;
}
