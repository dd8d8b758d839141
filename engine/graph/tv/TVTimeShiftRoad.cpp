#include "TVTimeShiftRoad.h"

// The graph first: the framework's strings must precede the system's safe-string header.
#include "TVGraph.h"

#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "DeinterlaceFilter.h"
#include "Mpeg2DemuxFilter.h"
#include "MpegEncoderFilter.h"
#include "OverlayMixerFilter.h"
#include "TimeShiftFilter.h"

#include <string.h>

namespace
{

const CLSID kDirectSoundClsid = {0x79376820, 0x07D0, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
const CLSID kDefaultRendererClsid = {0x6BC1CFFA, 0x8FC1, 0x4261, {0xAC, 0x22, 0xCF, 0xB4, 0xCC, 0x38, 0xDB, 0x50}};
const CLSID kAcmWrapperClsid = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};

// The encoder's settings records: the video bit rate (a double, bit/s) and the audio
// bit-rate index.
const int kVideoRecordSize = 877;
const int kVideoBitRateOffset = 64;
const int kAudioRecordSize = 36;
const int kAudioRateIndexOffset = 12;

// The encoder takes a 30-frame picture at 480 lines, a 25-frame one at 576.
const LONG kTimeShiftWidth = 352;

const int kMinTimeShiftSeconds = 600;
const int kMinTimeShiftKbps = 4500;
const int kMaxTimeShiftKbps = 18000;
// The sound's share of the buffer at the encoder's default rate.
const int kDefaultAudioKbps = 224;

// MPEG-1 Layer II bit rates in kbit/s by index 1 to 14.
const int kLayer2Kbps[15] = {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};

} // namespace

BOOL CTVTimeShiftRoad::Start()
{
    if (m_graph.m_videoSource == CTVGraph::kFm || m_graph.m_recording)
        return FALSE;
    m_graph.m_builder.TearDown();
    m_graph.ClearWrapperPointers();
    if (!m_graph.m_builder.MakeGraph())
        return FALSE;
    // The teardown took the sound device with it; without it the encoder has no sound input.
    BOOL started = m_graph.OpenAudioDevice() && AddFilters() && Configure() && Connect() && SetUp() &&
                   m_graph.RunCaptureGraph();
    m_on = started;
    m_paused = FALSE;
    if (!started)
        m_graph.StopRecord();
    return started;
}

BOOL CTVTimeShiftRoad::Stop()
{
    m_on = FALSE;
    m_paused = FALSE;
    return m_graph.StopRecord();
}

void CTVTimeShiftRoad::Clear()
{
    m_encoder = NULL;
    m_acmWrapper = NULL;
    m_timeShift = NULL;
    m_demux = NULL;
    m_videoDecoder = NULL;
    m_audioDecoder = NULL;
    m_soundRenderer = NULL;
    m_defaultRenderer = NULL;
}

// The encoder, demultiplexer and ACM wrapper are needed at once; without a decoder, the
// time-shift filter or the sound renderer the build fails too, but everything else is still
// added.
BOOL CTVTimeShiftRoad::AddFilters()
{
    if (!m_graph.m_preview.Make(FALSE))
        return FALSE;
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_encoder)
        m_encoder =
            dynamic_cast<CMpegEncoderFilter*>(builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
    if (!m_encoder)
        return FALSE;
    if (!m_timeShift)
        m_timeShift = dynamic_cast<CTimeShiftFilter*>(builder.AddFilter(CLSID_TimeShift, "Time Shift"));
    if (!m_demux)
        m_demux = dynamic_cast<CMpeg2DemuxFilter*>(builder.AddFilter(CLSID_Mpeg2Demultiplexer, "MPEG-2 Demultiplexer"));
    if (!m_demux)
        return FALSE;
    if (!m_videoDecoder)
        m_videoDecoder = builder.AddFilter(CLSID_MpegVideoDecoder, "Stelvark Demo MPEG Video Decoder");
    if (!m_audioDecoder)
        m_audioDecoder = builder.AddFilter(CLSID_MpegAudioDecoder, "Audio Decodec");
    if (!m_soundRenderer)
        m_soundRenderer = builder.AddFilter(kDirectSoundClsid, "Direct Sound Filter");
    if (!m_defaultRenderer) {
        m_defaultRenderer = builder.AddFilter(kDefaultRendererClsid, "Video Default Video Reander");
        if (m_defaultRenderer)
            m_graph.m_preview.RemoveRenderer();
    }
    if (!m_acmWrapper)
        m_acmWrapper = dynamic_cast<CAcmWrapperFilter*>(builder.AddFilter(kAcmWrapperClsid, "ACM Wrapper"));
    if (!m_acmWrapper)
        return FALSE;
    return m_timeShift && m_videoDecoder && m_audioDecoder && m_soundRenderer;
}

BOOL CTVTimeShiftRoad::Configure()
{
    LONG height = m_graph.m_is25Frames ? 576 : 480;
    BOOL result = m_graph.SetRecordCaptureSize(kTimeShiftWidth, height);
    m_graph.ApplyPictureValues();
    CDeinterlaceFilter* deinterlace = m_graph.m_preview.Deinterlace();
    result = deinterlace && deinterlace->SetSmallFrame(FALSE) && result;
    result = m_graph.ConfigureMpegCapture(m_graph.m_captureSize, FALSE, CTVRecordRoad::kMpegAudioRate) && result;
    result = m_graph.SetRecordCaptureSize(kTimeShiftWidth, height) && result;
    result = m_demux->CreateOutputPin("Video", FALSE) && result;
    result = m_demux->CreateOutputPin("Audio", TRUE) && result;
    return result;
}

BOOL CTVTimeShiftRoad::Connect()
{
    CTVGraph& g = m_graph;
    BOOL result = g.ConnectFilterPair(g.m_preview.CaptureDevice(), g.m_preview.Deinterlace(), "Capture", NULL);
    result = g.ConnectFilterPair(g.m_preview.Deinterlace(), m_encoder, "Preview", "Input Video") && result;
    result = g.ConnectFilterPair(g.m_audioCapture, m_acmWrapper, NULL, NULL) && result;
    result = g.ConnectFilterPair(m_acmWrapper, m_encoder, NULL, NULL) && result;
    result = g.ConnectFilterPair(m_encoder, m_timeShift, NULL, NULL) && result;
    result = g.ConnectFilterPair(m_timeShift, m_demux, NULL, NULL) && result;
    result = g.ConnectFilterPair(m_demux, m_videoDecoder, "Video", "Video In") && result;
    result = ConnectVideo() && result;
    result = g.ConnectFilterPair(m_demux, m_audioDecoder, "Audio", "Audio In") && result;
    result = g.ConnectFilterPair(m_audioDecoder, m_soundRenderer, NULL, NULL) && result;
    g.AttachVideoWindow();
    return result;
}

// The decoded picture goes to the default renderer when there is one, else through the
// Overlay Mixer into the preview's renderer.
BOOL CTVTimeShiftRoad::ConnectVideo()
{
    CTVGraph& g = m_graph;
    if (m_defaultRenderer)
        return g.ConnectFilterPair(m_videoDecoder, m_defaultRenderer, NULL, NULL);
    if (g.ConnectFilterPair(m_videoDecoder, g.m_preview.OverlayMixer(), NULL, NULL))
        return g.ConnectFilterPair(g.m_preview.OverlayMixer(), g.m_preview.Renderer(), NULL, NULL);
    g.ConnectFilterPair(m_videoDecoder, g.m_preview.Renderer(), NULL, NULL);
    return FALSE;
}

BOOL CTVTimeShiftRoad::SetUp()
{
    // The time-shift file is MPEG-2: the encoder starts from that format's preset.
    BOOL result = m_graph.m_recordRoad.ApplyPreset(m_encoder, CTVGraph::kRecordMpeg2);
    result = m_encoder->SetVideoParam96(0) && result;
    result = m_encoder->SetVideoParam97(1) && result;
    BYTE video[kVideoRecordSize] = {};
    BYTE audio[kAudioRecordSize] = {};
    if (!m_encoder->GetVideoSettings(video) || !m_encoder->GetAudioSettings(audio))
        return FALSE;
    double videoBitRate = 0;
    int audioRateIndex = 0;
    memcpy(&videoBitRate, video + kVideoBitRateOffset, sizeof(videoBitRate));
    memcpy(&audioRateIndex, audio + kAudioRateIndexOffset, sizeof(audioRateIndex));
    LONGLONG size = BufferBytes(audioRateIndex, videoBitRate, m_seconds);
    result = m_timeShift->SetTimeShiftFile(m_file) && result;
    result = m_timeShift->SetBufferSize(&size, m_reserve) && result;
    result = m_demux->MapStreamId("Video", FALSE) && result;
    result = m_demux->MapStreamId("Audio", TRUE) && result;
    return UseSoundClock() && result;
}

// Played back, the picture keeps time with the sound card.
BOOL CTVTimeShiftRoad::UseSoundClock()
{
    CComRef<IReferenceClock> clock;
    CComRef<IMediaFilter> graph;
    if (FAILED(m_soundRenderer->GetFilter()->QueryInterface(IID_IReferenceClock, clock.ReceiveVoid())) ||
        FAILED(m_graph.m_builder.GetGraph()->QueryInterface(IID_IMediaFilter, graph.ReceiveVoid())))
        return FALSE;
    return SUCCEEDED(graph->SetSyncSource(clock.Get()));
}

BOOL CTVTimeShiftRoad::TogglePause()
{
    if (!m_on || !m_timeShift || !m_timeShift->TogglePause())
        return FALSE;
    m_paused = !m_paused;
    return TRUE;
}

BOOL CTVTimeShiftRoad::GetPosition(LONGLONG* total, LONGLONG* available, LONGLONG* current)
{
    return m_on && m_timeShift && m_timeShift->GetPosition(total, available, current);
}

BOOL CTVTimeShiftRoad::SetPosition(LONGLONG position)
{
    return m_on && m_timeShift && m_timeShift->SetPosition(position);
}

BOOL CTVTimeShiftRoad::SetLength(int seconds)
{
    if (seconds < kMinTimeShiftSeconds)
        return FALSE;
    m_seconds = seconds;
    return TRUE;
}

BOOL CTVTimeShiftRoad::SetBitrate(int kbps)
{
    if (kbps < kMinTimeShiftKbps || kbps > kMaxTimeShiftKbps)
        return FALSE;
    m_kbps = kbps;
    return TRUE;
}

LONGLONG CTVTimeShiftRoad::GetKbits() const
{
    return (LONGLONG)(m_kbps + kDefaultAudioKbps) * m_seconds;
}

LONGLONG CTVTimeShiftRoad::BufferBytes(int audioRateIndex, double videoBitsPerSecond, int seconds)
{
    int kbps = audioRateIndex >= 1 && audioRateIndex <= 14 ? kLayer2Kbps[audioRateIndex] : kDefaultAudioKbps;
    double audioBytesPerSecond = kbps * 125.0;
    return (LONGLONG)((audioBytesPerSecond + videoBitsPerSecond * 0.125) * seconds);
}
