#include "TVGraph.h"

#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "CrossbarWrapper.h"
#include "DeinterlaceFilter.h"
#include "Mpeg2DemuxFilter.h"
#include "MpegEncoderFilter.h"
#include "MpegEncoderInterfaces.h"
#include "OverlayMixerFilter.h"
#include "TimeShiftFilter.h"
#include "TimeShiftInterfaces.h"

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

} // namespace

BOOL CTVGraph::StartTimeShift()
{
    if (m_videoSource == kFm || m_recording)
        return FALSE;
    m_builder.TearDown();
    ClearWrapperPointers();
    if (!m_builder.MakeGraph())
        return FALSE;
    // The teardown took the sound device with it; without it the encoder has no sound input.
    BOOL started = OpenAudioDevice() && AddTimeShiftFilters() && ConfigureTimeShift() && ConnectTimeShift() &&
                   SetUpTimeShift() && RunCaptureGraph();
    m_timeShiftOn = started;
    m_timeShiftPaused = FALSE;
    if (!started)
        StopRecord();
    return started;
}

BOOL CTVGraph::StopTimeShift()
{
    m_timeShiftOn = FALSE;
    m_timeShiftPaused = FALSE;
    return StopRecord();
}

// The encoder, demultiplexer and ACM wrapper are needed at once; without a decoder, the
// time-shift filter or the sound renderer the build fails too, but everything else is still
// added.
BOOL CTVGraph::AddTimeShiftFilters()
{
    if (!MakePreviewFilters(FALSE))
        return FALSE;
    if (!m_mpegEncoder)
        m_mpegEncoder =
            dynamic_cast<CMpegEncoderFilter*>(m_builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
    if (!m_mpegEncoder)
        return FALSE;
    if (!m_timeShift)
        m_timeShift = dynamic_cast<CTimeShiftFilter*>(m_builder.AddFilter(CLSID_TimeShift, "Time Shift"));
    if (!m_demux)
        m_demux = dynamic_cast<CMpeg2DemuxFilter*>(m_builder.AddFilter(CLSID_Mpeg2Demultiplexer, "MPEG-2 Demultiplexer"));
    if (!m_demux)
        return FALSE;
    if (!m_videoDecoder)
        m_videoDecoder = m_builder.AddFilter(CLSID_MpegVideoDecoder, "Stelvark Demo MPEG Video Decoder");
    if (!m_audioDecoder)
        m_audioDecoder = m_builder.AddFilter(CLSID_MpegAudioDecoder, "Audio Decodec");
    if (!m_soundRenderer)
        m_soundRenderer = m_builder.AddFilter(kDirectSoundClsid, "Direct Sound Filter");
    if (!m_defaultRenderer) {
        m_defaultRenderer = m_builder.AddFilter(kDefaultRendererClsid, "Video Default Video Reander");
        if (m_defaultRenderer && m_renderer) {
            m_builder.RemoveWrapper(m_renderer);
            m_renderer = NULL;
        }
    }
    if (!m_acmWrapper)
        m_acmWrapper = dynamic_cast<CAcmWrapperFilter*>(m_builder.AddFilter(kAcmWrapperClsid, "ACM Wrapper"));
    if (!m_acmWrapper)
        return FALSE;
    return m_timeShift && m_videoDecoder && m_audioDecoder && m_soundRenderer;
}

BOOL CTVGraph::ConfigureTimeShift()
{
    LONG height = m_is25Frames ? 576 : 480;
    BOOL result = SetRecordCaptureSize(kTimeShiftWidth, height);
    ApplyPictureValues();
    result = m_deinterlace && m_deinterlace->SetSmallFrame(FALSE) && result;
    result = ConfigureMpegCapture(m_captureSize, FALSE, kMpegAudioRate) && result;
    result = SetRecordCaptureSize(kTimeShiftWidth, height) && result;
    result = m_demux->CreateOutputPin("Video", FALSE) && result;
    result = m_demux->CreateOutputPin("Audio", TRUE) && result;
    return result;
}

BOOL CTVGraph::ConnectTimeShift()
{
    BOOL result = ConnectFilterPair(m_captureDevice, m_deinterlace, "Capture", NULL);
    result = ConnectFilterPair(m_deinterlace, m_mpegEncoder, "Preview", "Input Video") && result;
    result = ConnectFilterPair(m_audioCapture, m_acmWrapper, NULL, NULL) && result;
    result = ConnectFilterPair(m_acmWrapper, m_mpegEncoder, NULL, NULL) && result;
    result = ConnectFilterPair(m_mpegEncoder, m_timeShift, NULL, NULL) && result;
    result = ConnectFilterPair(m_timeShift, m_demux, NULL, NULL) && result;
    result = ConnectFilterPair(m_demux, m_videoDecoder, "Video", "Video In") && result;
    result = ConnectTimeShiftVideo() && result;
    result = ConnectFilterPair(m_demux, m_audioDecoder, "Audio", "Audio In") && result;
    result = ConnectFilterPair(m_audioDecoder, m_soundRenderer, NULL, NULL) && result;
    AttachVideoWindow();
    return result;
}

// The decoded picture goes to the default renderer when there is one, else through the
// Overlay Mixer into the preview's renderer.
BOOL CTVGraph::ConnectTimeShiftVideo()
{
    if (m_defaultRenderer)
        return ConnectFilterPair(m_videoDecoder, m_defaultRenderer, NULL, NULL);
    if (ConnectFilterPair(m_videoDecoder, m_overlayMixer, NULL, NULL))
        return ConnectFilterPair(m_overlayMixer, m_renderer, NULL, NULL);
    ConnectFilterPair(m_videoDecoder, m_renderer, NULL, NULL);
    return FALSE;
}

BOOL CTVGraph::SetUpTimeShift()
{
    // The time-shift file is MPEG-2: the encoder starts from that row's preset (rows are in
    // format order).
    BOOL result = SetUpMpegEncoder(s_recordRows[kRecordMpeg2]);
    result = m_mpegEncoder->SetVideoParam96(0) && result;
    result = m_mpegEncoder->SetVideoParam97(1) && result;
    BYTE video[kVideoRecordSize] = {};
    BYTE audio[kAudioRecordSize] = {};
    if (!m_mpegEncoder->GetVideoSettings(video) || !m_mpegEncoder->GetAudioSettings(audio))
        return FALSE;
    double videoBitRate = 0;
    int audioRateIndex = 0;
    memcpy(&videoBitRate, video + kVideoBitRateOffset, sizeof(videoBitRate));
    memcpy(&audioRateIndex, audio + kAudioRateIndexOffset, sizeof(audioRateIndex));
    LONGLONG size = TimeShiftBufferBytes(audioRateIndex, videoBitRate, m_timeShiftSeconds);
    result = m_timeShift->SetTimeShiftFile(m_timeShiftFile) && result;
    result = m_timeShift->SetBufferSize(&size, m_timeShiftReserve) && result;
    result = m_demux->MapStreamId("Video", FALSE) && result;
    result = m_demux->MapStreamId("Audio", TRUE) && result;
    return UseSoundClock() && result;
}

// Played back, the picture keeps time with the sound card.
BOOL CTVGraph::UseSoundClock()
{
    CComRef<IReferenceClock> clock;
    CComRef<IMediaFilter> graph;
    if (FAILED(m_soundRenderer->GetFilter()->QueryInterface(IID_IReferenceClock, clock.ReceiveVoid())) ||
        FAILED(m_builder.GetGraph()->QueryInterface(IID_IMediaFilter, graph.ReceiveVoid())))
        return FALSE;
    return SUCCEEDED(graph->SetSyncSource(clock.Get()));
}
