#include "TVGraph.h"

#include "CaptureDevice.h"

BOOL CTVGraph::SetFrequency(DWORD kHz)
{
    return m_captureDevice && m_captureDevice->SetTunerFrequency(kHz);
}

BOOL CTVGraph::GetVideoProcAmpInfo(long property, ProcAmpValue* record)
{
    return m_captureDevice && SUCCEEDED(m_captureDevice->GetVideoProcAmp(property, record));
}

BOOL CTVGraph::Pause()
{
    return m_builder.Pause();
}

void CTVGraph::StopGraph()
{
    if (m_builder.GetState() == CGraphBuilder::kStopped)
        return;
    m_builder.Stop();
    m_builder.StopAndDisconnectAll();
}
