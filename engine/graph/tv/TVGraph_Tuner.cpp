#include "TVGraph.h"

#include "CaptureDevice.h"
#include "TunerModel.h"

namespace
{

CTunerModel* TunerOf(CCaptureDevice* device)
{
    return device ? device->GetTuner() : NULL;
}

} // namespace

BOOL CTVGraph::SetFrequency(DWORD kHz)
{
    return m_preview.CaptureDevice() && m_preview.CaptureDevice()->SetTunerFrequency(kHz);
}

BOOL CTVGraph::GetVideoProcAmpInfo(long property, ProcAmpValue* record)
{
    return m_preview.CaptureDevice() && SUCCEEDED(m_preview.CaptureDevice()->GetVideoProcAmp(property, record));
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

BOOL CTVGraph::SetFMFrequency(DWORD kHz)
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    return tuner && tuner->SetFmFrequency((float)kHz);
}

// A scan that did not start leaves the tuner to the scan-parameter setters again.
BOOL CTVGraph::StartScan(BOOL tv, BOOL sweep)
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    m_scanLock = TRUE;
    m_scanLock = tuner && tuner->StartScan(tv, sweep);
    return m_scanLock;
}

void CTVGraph::StopScan()
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    if (tuner)
        tuner->StopScan();
    m_scanLock = FALSE;
}

BOOL CTVGraph::SetScanFrequencies(const float* mhz, int count)
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    return mhz && tuner && tuner->SetChannelTable(mhz, count);
}

BOOL CTVGraph::GetTunerRange(int* lower, int* upper) const
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    if (!tuner || !lower || !upper)
        return FALSE;
    *lower = tuner->GetBandLow();
    *upper = tuner->GetBandHigh();
    return TRUE;
}

BOOL CTVGraph::GetFMRange(int* lower, int* upper) const
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    if (!tuner || !lower || !upper)
        return FALSE;
    *lower = tuner->GetFmLow();
    *upper = tuner->GetFmHigh();
    return TRUE;
}

void CTVGraph::SetScanTableWindow(int kHz)
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    if (tuner && !m_scanLock)
        tuner->SetTvScanTableWindow(kHz);
}

void CTVGraph::SetScanStep2(int kHz)
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    if (tuner && !m_scanLock)
        tuner->SetTvScanStep2(kHz);
}

BOOL CTVGraph::StartRemotePoll()
{
    return m_preview.CaptureDevice() && !m_remoteServiceRunning && m_preview.CaptureDevice()->StartRemotePoll();
}

void CTVGraph::StopRemotePoll()
{
    if (m_preview.CaptureDevice() && !m_remoteServiceRunning)
        m_preview.CaptureDevice()->StopRemotePoll();
}

int CTVGraph::GetTunerType() const
{
    CTunerModel* tuner = TunerOf(m_preview.CaptureDevice());
    return tuner ? tuner->GetTypeId() : 0;
}

BOOL CTVGraph::SendCardCommand(DWORD word, BOOL on)
{
    if (!m_preview.CaptureDevice())
        return FALSE;
    WORD low = LOWORD(word);
    if (on && low != 0 && !m_preview.CaptureDevice()->WriteMcuWord(low))
        return FALSE;
    return m_preview.CaptureDevice()->McuHandshake(on);
}

SIZE CTVGraph::GetCapturePinSize() const
{
    SIZE size = {0, 0};
    CaptureFormat format;
    if (m_preview.CaptureDevice() && SUCCEEDED(m_preview.CaptureDevice()->GetCaptureFormat(&format, 1))) {
        size.cx = format.header.bmiHeader.biWidth;
        size.cy = format.header.bmiHeader.biHeight;
    }
    return size;
}
