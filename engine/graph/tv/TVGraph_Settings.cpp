#include "TVGraph.h"

#include "CaptureDevice.h"
#include "CrossbarWrapper.h"
#include "DeinterlaceFilter.h"
#include "OverlayMixerFilter.h"

namespace
{

// 100-ns units per frame at 25 and 30 frames a second.
const LONGLONG kFrameTime25 = 10000000 / 25;
const LONGLONG kFrameTime30 = 10000000 / 30;

// The crossbar input of each picture source; the output is always 0.
const int kCrossbarInputs[3] = {1, 2, 0};

} // namespace

BOOL CTVGraph::SetVideoSource(int source, BOOL flag)
{
    m_videoSource = source;
    SwitchDeviceAudioMuted(flag);
    BOOL result = FALSE;
    if (source != kFm && source >= kTuner && source <= kSVideo && m_preview.Crossbar())
        result = m_preview.Crossbar()->RouteCrossbar(kCrossbarInputs[source], 0);
    if (m_preview.CaptureDevice())
        m_preview.CaptureDevice()->SetTunerStandard(GetVideoStandard());
    return result;
}

// The card's own audio input follows the source: 1 for FM, 0 for the tuner, 2 for the lines.
void CTVGraph::SetDeviceAudio(BOOL on)
{
    if (!m_preview.CaptureDevice())
        return;
    int input = m_videoSource == kFm ? 1 : m_videoSource == kTuner ? 0 : 2;
    m_preview.CaptureDevice()->SetAudioInput(input, on);
}

long CTVGraph::GetVideoStandard() const
{
    if (m_videoSource < kTuner || m_videoSource > kSVideo)
        return kPalD;
    return m_standards[m_videoSource];
}

BOOL CTVGraph::IsNtscStandard(long standard) const
{
    return standard == kNtscM || standard == kNtscMJ || standard == kNtsc433;
}

// A running preview is connected and run again afterwards, so that a standard chosen while
// watching does not leave the picture dead.
BOOL CTVGraph::SetVideoStandard(long standard)
{
    BOOL wasRunning = m_builder.GetState() != CGraphBuilder::kStopped;
    m_builder.StopAndDisconnectAll();
    BOOL result = TRUE;
    if (standard != 0) {
        if (m_videoSource >= kTuner && m_videoSource <= kSVideo)
            m_standards[m_videoSource] = standard;
        if (m_videoSource == kTuner)
            result = m_preview.CaptureDevice() && m_preview.CaptureDevice()->SetTunerStandard(standard);
        result = ApplyTVFormat(standard) && result;
        SetFrameInterval();
    }
    if (wasRunning)
        RestartPreview();
    return result;
}

// The decoder's format; the frame rate follows the standard only when the card took it.
BOOL CTVGraph::ApplyTVFormat(long standard)
{
    if (!m_preview.CaptureDevice() || FAILED(m_preview.CaptureDevice()->SetTVFormat(standard)))
        return FALSE;
    m_is25Frames = !IsNtscStandard(standard);
    return TRUE;
}

void CTVGraph::RestartPreview()
{
    if (!m_preview.Connect())
        return;
    m_builder.DisconnectWrapper(m_preview.Crossbar());
    m_builder.Run();
}

void CTVGraph::SetFrameInterval()
{
    CaptureFormat format;
    if (!m_preview.CaptureDevice() || FAILED(m_preview.CaptureDevice()->GetCaptureFormat(&format, 1)))
        return;
    format.header.AvgTimePerFrame = m_is25Frames ? kFrameTime25 : kFrameTime30;
    m_preview.CaptureDevice()->SetCaptureFormat(format, 1);
}

void CTVGraph::AdjustCaptureSize()
{
    struct SizeRule
    {
        int width1, width2;
        // -1: any height; 1: 480 or more; 0: under 480.
        int tall;
        SIZE at25, at30;
    };
    static const SizeRule rules[] = {
        {160, 176, -1, {176, 144}, {160, 120}}, {320, 352, 1, {352, 576}, {320, 480}},
        {320, 352, 0, {352, 288}, {320, 240}},  {480, 480, -1, {480, 576}, {480, 480}},
        {640, 640, -1, {640, 480}, {640, 480}}, {704, 704, 1, {704, 576}, {720, 480}},
        {704, 704, 0, {704, 352}, {720, 240}},  {720, 720, 1, {720, 576}, {720, 480}},
        {720, 720, 0, {720, 352}, {720, 240}},
    };
    BOOL ntsc = IsNtscStandard(GetVideoStandard());
    int tall = m_captureSize.cy >= 480 ? 1 : 0;
    for (const SizeRule& rule : rules) {
        if ((m_captureSize.cx == rule.width1 || m_captureSize.cx == rule.width2) && (rule.tall < 0 || rule.tall == tall)) {
            m_captureSize = ntsc ? rule.at30 : rule.at25;
            return;
        }
    }
}

BOOL CTVGraph::SetCaptureSize(SIZE size)
{
    m_captureSize = size;
    if (!m_preview.CaptureDevice())
        return TRUE;
    m_builder.Stop();
    m_builder.StopAndDisconnectAll();
    ApplyCaptureFormat();
    if (!m_preview.Connect())
        return FALSE;
    ApplyDesktopOverlaySetting();
    m_builder.DisconnectWrapper(m_preview.Crossbar());
    m_builder.Run();
    return TRUE;
}

BOOL CTVGraph::SetPictureValue(int property, long value)
{
    if (property < 0 || property >= 5)
        return FALSE;
    m_pictureValues[property] = value;
    return m_preview.CaptureDevice() && SUCCEEDED(m_preview.CaptureDevice()->SetVideoProcAmp(property, value));
}

long CTVGraph::GetPictureValue(int property) const
{
    return property >= 0 && property < 5 ? m_pictureValues[property] : 0;
}

BOOL CTVGraph::SetOverlayValue(int property, long value)
{
    if (property < 0 || property >= 5)
        return FALSE;
    m_overlayValues[property] = value;
    return m_preview.OverlayMixer() && m_preview.OverlayMixer()->SetColorControl(property, value);
}

void CTVGraph::SetHighQuality(BOOL on)
{
    m_highQuality = on;
    if (m_preview.Deinterlace())
        m_preview.Deinterlace()->SetHighQuality(on);
}

void CTVGraph::SetNoiseReduce(BOOL on)
{
    m_noiseReduce = on;
    if (m_preview.Deinterlace())
        m_preview.Deinterlace()->SetNoiseReduce(on);
}

void CTVGraph::SetHalfRate(BOOL on)
{
    m_halfRate = on;
    if (m_preview.Deinterlace())
        m_preview.Deinterlace()->SetHalfRate(on);
}

void CTVGraph::SetReduceValue(int value)
{
    m_reduceValue = value;
    if (m_preview.Deinterlace())
        m_preview.Deinterlace()->SetReduceValue(value);
}
