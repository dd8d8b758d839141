#include "TVGraph.h"

#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "AvSwitchFilter.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "CrossbarWrapper.h"
#include "DeinterlaceFilter.h"
#include "DumpFilter.h"
#include "FileWriteFilter.h"
#include "MpegEncoderFilter.h"
#include "MsMuxFilter.h"
#include "OverlayMixerFilter.h"

#include <uuids.h>

namespace
{

const CLSID kAcmWrapperClsid = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
const char kXvidName[] = "XviD MPEG-4 Codec";

// The MPEG-4 record widths whose picture the deinterlace filter halves for the codec; the
// Overlay Mixer's path takes 640 whole.
BOOL IsSmallFrameWidth(LONG width, BOOL overlay)
{
    return width == 320 || width == 352 || (!overlay && width == 640);
}

} // namespace

// The VCD picture is always the 25-frame one; Mpeg1 and VCD take the next scheme's bits.
// columns: format, add filters, configure, connect, encoder set-up, preset, always 25 frames,
//          scheme offset, capture width, small frame, sound rate
const CTVGraph::RecordRow CTVGraph::s_recordRows[] = {
    {kRecordAvi, &CTVGraph::AddAviFilters, &CTVGraph::ConfigureAvi, &CTVGraph::ConnectAviChain, &CTVGraph::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {kRecordMpeg1, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetMpeg1, FALSE, 1, 0, FALSE, kMpegAudioRate},
    {kRecordMpeg2, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetMpeg2, FALSE, 0, 0, FALSE, kMpegAudioRate},
    {kRecordMpeg4, &CTVGraph::AddMpeg4Filters, &CTVGraph::ConfigureMpeg4, &CTVGraph::ConnectMpeg4Chain, &CTVGraph::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {kRecordVcd, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetVcd, TRUE, 1, 704, TRUE, kMpegAudioRate},
    {kRecordSvcd, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetSvcd, FALSE, 0, 480, FALSE, kMpegAudioRate},
    {kRecordDvd, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetDvd, FALSE, 0, 720, FALSE, kDvdAudioRate},
    {kRecordHiDvd, &CTVGraph::AddMpegFilters, &CTVGraph::ConfigureMpeg, &CTVGraph::ConnectMpegChain, &CTVGraph::SetUpMpegEncoder, PresetHiDvd, FALSE, 0, 720, FALSE, kDvdAudioRate},
};

BOOL CTVGraph::SetRecordFormat(int format)
{
    if (format > 8)
        return FALSE;
    m_recordFormat = format;
    return TRUE;
}

BOOL CTVGraph::SetDisplayQuality(int mode)
{
    if (mode < 0 || mode > 2)
        return FALSE;
    m_deinterlaceMode = mode;
    return TRUE;
}

void CTVGraph::ClearRecordWrapperPointers()
{
    m_audioCapture = NULL;
    m_avSwitch = NULL;
    m_smartTee = NULL;
    m_aviMux = NULL;
    m_aviWriter = NULL;
    m_mpegEncoder = NULL;
    m_dump = NULL;
    m_acmWrapper = NULL;
    m_xvidCodec = NULL;
    m_iviAudioEncoder = NULL;
    m_iviMux = NULL;
    m_iviWriter = NULL;
    m_fmPcmCompressor = NULL;
    m_fmAdpcmCompressor = NULL;
    m_fmUserCompressor = NULL;
}

const CTVGraph::RecordRow& CTVGraph::FindRecordRow(const RecordRow* rows, int count, int format)
{
    for (int i = 0; i < count; ++i) {
        if (rows[i].format == format)
            return rows[i];
    }
    return rows[0];
}

BOOL CTVGraph::StartRecord()
{
    static_assert(sizeof(s_recordRows) / sizeof(s_recordRows[0]) == kRecordHiDvd + 1, "one row per record format");
    if (!m_audioCapture)
        return FALSE;
    if (m_videoSource == kFm)
        return StartFMRecord();
    if (m_recording)
        return StopRecord();
    m_builder.StopAndDisconnectAll();
    const int count = sizeof(s_recordRows) / sizeof(s_recordRows[0]);
    return BuildRecordRow(FindRecordRow(s_recordRows, count, m_recordFormat), TRUE);
}

// A record branch that cannot be built, or whose graph will not run, is never left behind:
// the graph goes back to the preview and the caller hears of the failure.
BOOL CTVGraph::BuildRecordRow(const RecordRow& row, BOOL tv)
{
    BOOL built = (this->*row.addFilters)(row) && (this->*row.configure)(row) && (this->*row.connect)(row);
    if (built && tv)
        ApplyDesktopOverlaySetting();
    if (built)
        built = (this->*row.setUpEncoder)(row);
    if (built && StartRecordBranch())
        return TRUE;
    if (built)
        StopEachFilter();
    StopRecord();
    if (tv)
        RebuildPreview();
    return FALSE;
}

BOOL CTVGraph::StartRecordBranch()
{
    ApplyOverlayValues();
    m_recording = TRUE;
    m_builder.DisconnectWrapper(m_crossbar);
    return m_builder.Run();
}

// A graph manager that could not run every filter may count itself stopped while some of
// them are paused, and then neither stops nor disconnects them: each is stopped by itself.
void CTVGraph::StopEachFilter()
{
    for (CFilterWrapper* wrapper = m_builder.GetFirstWrapper(); wrapper; wrapper = wrapper->GetNext()) {
        if (wrapper->GetFilter())
            wrapper->GetFilter()->Stop();
    }
}

BOOL CTVGraph::StopRecord()
{
    m_recording = FALSE;
    m_builder.StopAndDisconnectAll();
    if (m_videoSource == kFm) {
        RemoveFmRecordFilters();
        SetVideoSource(kFm, TRUE);
        return TRUE;
    }
    m_builder.TearDown();
    ClearWrapperPointers();
    if (!m_builder.MakeGraph())
        return FALSE;
    OpenAudioDevice();
    BOOL result = RebuildPreview();
    // The new capture filter's tuner starts untuned.
    Host().RetuneCurrentChannel();
    return result;
}

BOOL CTVGraph::ConnectFilterPair(CFilterWrapper* source, CFilterWrapper* destination, const char* outputName,
                                 const char* inputName)
{
    return source && destination && m_builder.ConnectFilters(source, destination, outputName, inputName);
}

BOOL CTVGraph::NoEncoderSetUp(const RecordRow&)
{
    return TRUE;
}

// Adding the filters -----------------------------------------------------------------------

BOOL CTVGraph::AddAviFilters(const RecordRow&)
{
    if (!m_aviMux)
        m_aviMux = dynamic_cast<CMsMuxFilter*>(m_builder.AddFilter(CLSID_MsMuxFilter, "AVI Mux"));
    if (!m_aviMux)
        return FALSE;
    if (!m_aviWriter)
        m_aviWriter = dynamic_cast<CFileWriteFilter*>(m_builder.AddFilter(CLSID_FileWriteFilter, "AVI Writer"));
    if (!m_aviWriter)
        return FALSE;
    if (!m_smartTee)
        m_smartTee = m_builder.AddFilter(CLSID_SmartTee, "Video SmartTee");
    return m_smartTee != NULL;
}

BOOL CTVGraph::AddMpegFilters(const RecordRow&)
{
    if (!m_mpegEncoder) {
        m_mpegEncoder =
            dynamic_cast<CMpegEncoderFilter*>(m_builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
        if (!m_mpegEncoder)
            return FALSE;
        BYTE video[CMpegEncoderFilter::kVideoRecordSize] = {};
        BYTE audio[CMpegEncoderFilter::kAudioRecordSize] = {};
        BYTE mux[CMpegEncoderFilter::kMuxRecordSize] = {};
        if (!m_mpegEncoder->GetVideoSettings(video) || !m_mpegEncoder->GetAudioSettings(audio) ||
            !m_mpegEncoder->GetMuxSettings(mux))
            return FALSE;
    }
    if (!m_dump)
        m_dump = dynamic_cast<CDumpFilter*>(m_builder.AddFilter(CLSID_DumpFilter, "Dump Filter"));
    if (!m_dump)
        return FALSE;
    if (!m_acmWrapper)
        m_acmWrapper = dynamic_cast<CAcmWrapperFilter*>(m_builder.AddFilter(kAcmWrapperClsid, "ACM Wrapper"));
    if (!m_acmWrapper)
        return FALSE;
    if (!m_avSwitch)
        m_avSwitch = dynamic_cast<CAvSwitchFilter*>(m_builder.AddFilter(CLSID_QuorvexAvSwitch, "AVISwitch"));
    return m_avSwitch != NULL;
}

BOOL CTVGraph::AddMpeg4Filters(const RecordRow& row)
{
    if (m_mpeg4CodecNames.GetSize() == 0)
        return FALSE;
    BOOL result = AddAviFilters(row);
    if (!m_xvidCodec)
        m_xvidCodec = m_builder.AddFilterByName(CLSID_VideoCompressorCategory, kXvidName, kXvidName, 0, 0);
    result = m_xvidCodec && result;
    if (!m_smartTee)
        m_smartTee = m_builder.AddFilter(CLSID_SmartTee, "Video SmartTee");
    if (!m_mpeg4AudioWrapper && !m_mpeg4Audio.IsEmpty())
        m_mpeg4AudioWrapper = AddAudioCompressor(m_mpeg4Audio);
    return result;
}

CFilterWrapper* CTVGraph::AddAudioCompressor(const char* name)
{
    return m_builder.AddFilterByName(CLSID_AudioCompressorCategory, name, name, 0, 0);
}

// Configuring ------------------------------------------------------------------------------

// Every configure step stops at its first failure: the attempt ends there in any case.
BOOL CTVGraph::ConfigureAvi(const RecordRow&)
{
    return m_aviWriter && m_aviWriter->SetFileName(m_recordFileName) &&
           SetRecordCaptureSize(m_captureSize.cx, m_captureSize.cy) && m_deinterlace &&
           m_deinterlace->SetSmallFrame(FALSE) && ApplyDeinterlaceMode();
}

// The file to the dump filter, the row's capture size (the current one, or its width at the
// standard's full height), the deinterlace settings and the row's sound rate.
BOOL CTVGraph::ConfigureMpeg(const RecordRow& row)
{
    SIZE size = m_captureSize;
    if (row.captureWidth) {
        size.cx = row.captureWidth;
        size.cy = m_is25Frames ? 576 : 480;
    }
    return m_dump && m_dump->SetFileName(m_recordFileName) && ConfigureMpegCapture(size, row.smallFrame, row.audioRate);
}

// The capture size, the deinterlace settings and the sound rate of an MPEG encoding.
BOOL CTVGraph::ConfigureMpegCapture(SIZE size, BOOL smallFrame, DWORD samplesPerSec)
{
    return SetRecordCaptureSize(size.cx, size.cy) && m_deinterlace && m_deinterlace->SetSmallFrame(smallFrame) &&
           ApplyDeinterlaceMode() && SetMpegAudioFormat(samplesPerSec);
}

BOOL CTVGraph::ConfigureMpeg4(const RecordRow&)
{
    BOOL result = m_aviWriter && m_aviWriter->SetFileName(m_recordFileName);
    SIZE size = Host().GetMpeg4RecordSize();
    if (size.cy <= 288) {
        size.cx *= 2;
        size.cy *= 2;
    }
    result = SetRecordCaptureSize(size.cx, size.cy) && result;
    SetVideoStandard(GetVideoStandard());
    return result;
}

BOOL CTVGraph::SetRecordCaptureSize(LONG width, LONG height)
{
    CaptureFormat format;
    if (!m_captureDevice || FAILED(m_captureDevice->GetCaptureFormat(&format, 1)))
        return FALSE;
    format.header.bmiHeader.biWidth = width;
    format.header.bmiHeader.biHeight = height;
    return m_captureDevice->SetCaptureFormat(format, 1) == S_OK;
}

BOOL CTVGraph::SetMpegAudioFormat(DWORD samplesPerSec)
{
    WAVEFORMATEX wave;
    if (!m_audioCapture || !m_audioCapture->GetAudioFormat(&wave))
        return FALSE;
    wave.nSamplesPerSec = samplesPerSec;
    wave.nAvgBytesPerSec = wave.nBlockAlign * wave.nSamplesPerSec;
    return m_audioCapture->SetAudioFormat(&wave);
}

BOOL CTVGraph::ApplyDeinterlaceMode()
{
    if (!m_deinterlace)
        return FALSE;
    BOOL result = m_deinterlace->SetHighQuality(m_deinterlaceMode != 0);
    result = m_deinterlace->SetHalfRate(TRUE) && result;
    result = m_deinterlace->SetNoiseReduce(m_deinterlaceMode == 2) && result;
    if (m_deinterlaceMode == 2)
        result = m_deinterlace->SetReduceValue(m_reduceValue) && result;
    return result;
}

// Connecting -------------------------------------------------------------------------------

BOOL CTVGraph::ConnectMpegChain(const RecordRow&)
{
    if (m_useOverlay)
        MakeOverlayMixer();
    CFilterWrapper* toRenderer = m_useOverlay && m_overlayMixer ? (CFilterWrapper*)m_overlayMixer : m_decompressor;
    return ConnectFilterPair(m_captureDevice, m_deinterlace, "Capture", NULL) &&
           ConnectFilterPair(m_deinterlace, toRenderer, "Preview", NULL) &&
           ConnectFilterPair(toRenderer, m_renderer, NULL, NULL) &&
           ConnectFilterPair(m_deinterlace, m_avSwitch, "Capture", "Video Input") &&
           ConnectFilterPair(m_avSwitch, m_mpegEncoder, "Video Output", NULL) &&
           ConnectFilterPair(m_audioCapture, m_avSwitch, NULL, NULL) &&
           ConnectFilterPair(m_avSwitch, m_acmWrapper, "Audio Output", NULL) &&
           ConnectFilterPair(m_acmWrapper, m_mpegEncoder, NULL, NULL) &&
           ConnectFilterPair(m_mpegEncoder, m_dump, NULL, NULL);
}

BOOL CTVGraph::ConnectAviChain(const RecordRow&)
{
    BOOL video;
    if (m_useOverlay && m_overlayMixer)
        video = ConnectFilterPair(m_captureDevice, m_smartTee, "Capture", NULL) &&
                ConnectFilterPair(m_smartTee, m_deinterlace, "Preview", NULL) &&
                ConnectFilterPair(m_deinterlace, m_overlayMixer, "Preview", NULL) &&
                ConnectFilterPair(m_overlayMixer, m_renderer, NULL, NULL);
    else
        video = ConnectFilterPair(m_captureDevice, m_deinterlace, "Capture", NULL) &&
                ConnectFilterPair(m_deinterlace, m_smartTee, "Preview", NULL) &&
                ConnectFilterPair(m_smartTee, m_decompressor, "Preview", NULL) &&
                ConnectFilterPair(m_decompressor, m_renderer, NULL, NULL);
    return video && ConnectFilterPair(m_audioCapture, m_aviMux, "Capture", NULL) &&
           ConnectFilterPair(m_smartTee, m_aviMux, "Capture", NULL) && ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL);
}

BOOL CTVGraph::ConnectMpeg4Chain(const RecordRow&)
{
    BOOL overlay = m_useOverlay && m_overlayMixer;
    CFilterWrapper* toRenderer = overlay ? (CFilterWrapper*)m_overlayMixer : m_decompressor;
    BOOL result = ConnectFilterPair(m_captureDevice, m_deinterlace, "Capture", NULL);
    result = ConnectFilterPair(m_deinterlace, toRenderer, "Preview", NULL) && result;
    result = ConnectFilterPair(toRenderer, m_renderer, NULL, NULL) && result;
    LONG width = Host().GetMpeg4RecordSize().cx;
    if (m_deinterlace)
        m_deinterlace->SetSmallFrame(IsSmallFrameWidth(width, overlay));
    result = ConnectFilterPair(m_deinterlace, m_xvidCodec, "Capture", NULL) && result;
    result = ConnectFilterPair(m_xvidCodec, m_aviMux, NULL, NULL) && result;
    result = ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL) && result;
    if (!m_recordAudio)
        return result;
    if (m_mpeg4AudioWrapper)
        return ConnectFilterPair(m_audioCapture, m_mpeg4AudioWrapper, NULL, NULL) &&
               ConnectFilterPair(m_mpeg4AudioWrapper, m_aviMux, NULL, NULL) && result;
    return ConnectFilterPair(m_audioCapture, m_aviMux, NULL, NULL) && result;
}

// Setting up the encoder -------------------------------------------------------------------

// A preset the encoder refuses must not leave a recording of unknown settings running.
BOOL CTVGraph::SetUpMpegEncoder(const RecordRow& row)
{
    MpegEncoderPreset values;
    BOOL frames25 = row.always25Frames || !IsNtscStandard(GetVideoStandard());
    if (!m_mpegEncoder || !row.preset(&values, frames25))
        return FALSE;
    values.videoBits = m_recordScheme + row.schemeOffset;
    return m_mpegEncoder->ApplyPreset(&values) && m_mpegEncoder->SetVideoParam97(0) &&
           m_mpegEncoder->SetVideoParam96(1) && m_mpegEncoder->SetAudioParam96(1);
}
