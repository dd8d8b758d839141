#include "TVRecordRoad.h"

// The graph first: the framework's strings must precede the system's safe-string header.
#include "TVGraph.h"

#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "AvSwitchFilter.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
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

template <class Wrapper>
void RemoveWrapper(CGraphBuilder& builder, Wrapper*& wrapper)
{
    if (wrapper)
        builder.RemoveWrapper(wrapper);
    wrapper = NULL;
}

} // namespace

// The VCD picture is always the 25-frame one; Mpeg1 and VCD take the next scheme's bits.
// columns: format, add filters, configure, connect, encoder set-up, preset, always 25 frames,
//          scheme offset, capture width, small frame, sound rate
const CTVRecordRoad::Row CTVRecordRoad::s_rows[] = {
    {CTVGraph::kRecordAvi, &CTVRecordRoad::AddAviFilters, &CTVRecordRoad::ConfigureAvi, &CTVRecordRoad::ConnectAviChain, &CTVRecordRoad::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {CTVGraph::kRecordMpeg1, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetMpeg1, FALSE, 1, 0, FALSE, kMpegAudioRate},
    {CTVGraph::kRecordMpeg2, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetMpeg2, FALSE, 0, 0, FALSE, kMpegAudioRate},
    {CTVGraph::kRecordMpeg4, &CTVRecordRoad::AddMpeg4Filters, &CTVRecordRoad::ConfigureMpeg4, &CTVRecordRoad::ConnectMpeg4Chain, &CTVRecordRoad::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {CTVGraph::kRecordVcd, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetVcd, TRUE, 1, 704, TRUE, kMpegAudioRate},
    {CTVGraph::kRecordSvcd, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetSvcd, FALSE, 0, 480, FALSE, kMpegAudioRate},
    {CTVGraph::kRecordDvd, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetDvd, FALSE, 0, 720, FALSE, kDvdAudioRate},
    {CTVGraph::kRecordHiDvd, &CTVRecordRoad::AddMpegFilters, &CTVRecordRoad::ConfigureMpeg, &CTVRecordRoad::ConnectMpegChain, &CTVRecordRoad::SetUpMpegEncoder, PresetHiDvd, FALSE, 0, 720, FALSE, kDvdAudioRate},
};

const CTVRecordRoad::Row& CTVRecordRoad::FindRow(int format)
{
    static_assert(sizeof(s_rows) / sizeof(s_rows[0]) == CTVGraph::kRecordHiDvd + 1, "one row per record format");
    for (const Row& row : s_rows) {
        if (row.format == format)
            return row;
    }
    return s_rows[0];
}

// The desktop overlay's setting is applied once the chain is connected, before the encoder
// takes its preset.
BOOL CTVRecordRoad::Build(int format)
{
    const Row& row = FindRow(format);
    if (!((this->*row.addFilters)(row) && (this->*row.configure)(row) && (this->*row.connect)(row)))
        return FALSE;
    m_graph.ApplyDesktopOverlaySetting();
    return (this->*row.setUpEncoder)(row);
}

void CTVRecordRoad::Clear()
{
    m_smartTee = NULL;
    m_aviMux = NULL;
    m_aviWriter = NULL;
    m_mpegEncoder = NULL;
    m_dump = NULL;
    m_acmWrapper = NULL;
    m_avSwitch = NULL;
    m_mpeg4Codec = NULL;
    m_mpeg4Audio = NULL;
}

void CTVRecordRoad::ReleaseMpeg4Audio()
{
    RemoveWrapper(m_graph.m_builder, m_mpeg4Audio);
}

BOOL CTVRecordRoad::MakeMpeg4Codec()
{
    if (!m_mpeg4Codec)
        m_mpeg4Codec = m_graph.m_builder.AddFilterByName(CLSID_VideoCompressorCategory, kXvidName, kXvidName, 0, 0);
    return m_mpeg4Codec != NULL;
}

void CTVRecordRoad::ReleaseMpeg4Codec()
{
    RemoveWrapper(m_graph.m_builder, m_mpeg4Codec);
}

BOOL CTVRecordRoad::NoEncoderSetUp(const Row&)
{
    return TRUE;
}

// Adding the filters -----------------------------------------------------------------------

BOOL CTVRecordRoad::AddAviFilters(const Row&)
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_aviMux)
        m_aviMux = dynamic_cast<CMsMuxFilter*>(builder.AddFilter(CLSID_MsMuxFilter, "AVI Mux"));
    if (!m_aviMux)
        return FALSE;
    if (!m_aviWriter)
        m_aviWriter = dynamic_cast<CFileWriteFilter*>(builder.AddFilter(CLSID_FileWriteFilter, "AVI Writer"));
    if (!m_aviWriter)
        return FALSE;
    if (!m_smartTee)
        m_smartTee = builder.AddFilter(CLSID_SmartTee, "Video SmartTee");
    return m_smartTee != NULL;
}

BOOL CTVRecordRoad::AddMpegFilters(const Row&)
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_mpegEncoder) {
        m_mpegEncoder =
            dynamic_cast<CMpegEncoderFilter*>(builder.AddFilter(CLSID_MpegEncoder, "Stelvark Demo MPEG Encoder"));
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
        m_dump = dynamic_cast<CDumpFilter*>(builder.AddFilter(CLSID_DumpFilter, "Dump Filter"));
    if (!m_dump)
        return FALSE;
    if (!m_acmWrapper)
        m_acmWrapper = dynamic_cast<CAcmWrapperFilter*>(builder.AddFilter(kAcmWrapperClsid, "ACM Wrapper"));
    if (!m_acmWrapper)
        return FALSE;
    if (!m_avSwitch)
        m_avSwitch = dynamic_cast<CAvSwitchFilter*>(builder.AddFilter(CLSID_QuorvexAvSwitch, "AVISwitch"));
    return m_avSwitch != NULL;
}

BOOL CTVRecordRoad::AddMpeg4Filters(const Row& row)
{
    if (m_graph.m_mpeg4CodecNames.GetSize() == 0)
        return FALSE;
    BOOL result = AddAviFilters(row);
    result = MakeMpeg4Codec() && result;
    if (!m_smartTee)
        m_smartTee = m_graph.m_builder.AddFilter(CLSID_SmartTee, "Video SmartTee");
    if (!m_mpeg4Audio && !m_graph.m_mpeg4Audio.IsEmpty())
        m_mpeg4Audio = m_graph.AddAudioCompressor(m_graph.m_mpeg4Audio);
    return result;
}

// Configuring ------------------------------------------------------------------------------

// Every configure step stops at its first failure: the attempt ends there in any case.
BOOL CTVRecordRoad::ConfigureAvi(const Row&)
{
    CDeinterlaceFilter* deinterlace = m_graph.m_preview.Deinterlace();
    return m_aviWriter && m_aviWriter->SetFileName(m_graph.m_recordFileName) &&
           m_graph.SetRecordCaptureSize(m_graph.m_captureSize.cx, m_graph.m_captureSize.cy) && deinterlace &&
           deinterlace->SetSmallFrame(FALSE) && m_graph.ApplyDeinterlaceMode();
}

// The file to the dump filter, the row's capture size (the current one, or its width at the
// standard's full height), the deinterlace settings and the row's sound rate.
BOOL CTVRecordRoad::ConfigureMpeg(const Row& row)
{
    SIZE size = m_graph.m_captureSize;
    if (row.captureWidth) {
        size.cx = row.captureWidth;
        size.cy = m_graph.m_is25Frames ? 576 : 480;
    }
    return m_dump && m_dump->SetFileName(m_graph.m_recordFileName) &&
           m_graph.ConfigureMpegCapture(size, row.smallFrame, row.audioRate);
}

BOOL CTVRecordRoad::ConfigureMpeg4(const Row&)
{
    BOOL result = m_aviWriter && m_aviWriter->SetFileName(m_graph.m_recordFileName);
    SIZE size = m_graph.Host().GetMpeg4RecordSize();
    if (size.cy <= 288) {
        size.cx *= 2;
        size.cy *= 2;
    }
    result = m_graph.SetRecordCaptureSize(size.cx, size.cy) && result;
    m_graph.SetVideoStandard(m_graph.GetVideoStandard());
    return result;
}

// Connecting -------------------------------------------------------------------------------

BOOL CTVRecordRoad::ConnectMpegChain(const Row&)
{
    CTVGraph& g = m_graph;
    if (g.m_useOverlay)
        g.m_preview.MakeOverlayMixer();
    CFilterWrapper* toRenderer = g.m_useOverlay && g.m_preview.OverlayMixer() ? (CFilterWrapper*)g.m_preview.OverlayMixer() : g.m_preview.Decompressor();
    return g.ConnectFilterPair(g.m_preview.CaptureDevice(), g.m_preview.Deinterlace(), "Capture", NULL) &&
           g.ConnectFilterPair(g.m_preview.Deinterlace(), toRenderer, "Preview", NULL) &&
           g.ConnectFilterPair(toRenderer, g.m_preview.Renderer(), NULL, NULL) &&
           g.ConnectFilterPair(g.m_preview.Deinterlace(), m_avSwitch, "Capture", "Video Input") &&
           g.ConnectFilterPair(m_avSwitch, m_mpegEncoder, "Video Output", NULL) &&
           g.ConnectFilterPair(g.m_audioCapture, m_avSwitch, NULL, NULL) &&
           g.ConnectFilterPair(m_avSwitch, m_acmWrapper, "Audio Output", NULL) &&
           g.ConnectFilterPair(m_acmWrapper, m_mpegEncoder, NULL, NULL) &&
           g.ConnectFilterPair(m_mpegEncoder, m_dump, NULL, NULL);
}

BOOL CTVRecordRoad::ConnectAviChain(const Row&)
{
    CTVGraph& g = m_graph;
    BOOL video;
    if (g.m_useOverlay && g.m_preview.OverlayMixer())
        video = g.ConnectFilterPair(g.m_preview.CaptureDevice(), m_smartTee, "Capture", NULL) &&
                g.ConnectFilterPair(m_smartTee, g.m_preview.Deinterlace(), "Preview", NULL) &&
                g.ConnectFilterPair(g.m_preview.Deinterlace(), g.m_preview.OverlayMixer(), "Preview", NULL) &&
                g.ConnectFilterPair(g.m_preview.OverlayMixer(), g.m_preview.Renderer(), NULL, NULL);
    else
        video = g.ConnectFilterPair(g.m_preview.CaptureDevice(), g.m_preview.Deinterlace(), "Capture", NULL) &&
                g.ConnectFilterPair(g.m_preview.Deinterlace(), m_smartTee, "Preview", NULL) &&
                g.ConnectFilterPair(m_smartTee, g.m_preview.Decompressor(), "Preview", NULL) &&
                g.ConnectFilterPair(g.m_preview.Decompressor(), g.m_preview.Renderer(), NULL, NULL);
    return video && g.ConnectFilterPair(g.m_audioCapture, m_aviMux, "Capture", NULL) &&
           g.ConnectFilterPair(m_smartTee, m_aviMux, "Capture", NULL) && g.ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL);
}

BOOL CTVRecordRoad::ConnectMpeg4Chain(const Row&)
{
    CTVGraph& g = m_graph;
    BOOL overlay = g.m_useOverlay && g.m_preview.OverlayMixer();
    CFilterWrapper* toRenderer = overlay ? (CFilterWrapper*)g.m_preview.OverlayMixer() : g.m_preview.Decompressor();
    BOOL result = g.ConnectFilterPair(g.m_preview.CaptureDevice(), g.m_preview.Deinterlace(), "Capture", NULL);
    result = g.ConnectFilterPair(g.m_preview.Deinterlace(), toRenderer, "Preview", NULL) && result;
    result = g.ConnectFilterPair(toRenderer, g.m_preview.Renderer(), NULL, NULL) && result;
    LONG width = g.Host().GetMpeg4RecordSize().cx;
    if (g.m_preview.Deinterlace())
        g.m_preview.Deinterlace()->SetSmallFrame(IsSmallFrameWidth(width, overlay));
    result = g.ConnectFilterPair(g.m_preview.Deinterlace(), m_mpeg4Codec, "Capture", NULL) && result;
    result = g.ConnectFilterPair(m_mpeg4Codec, m_aviMux, NULL, NULL) && result;
    result = g.ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL) && result;
    if (!m_recordAudio)
        return result;
    if (m_mpeg4Audio)
        return g.ConnectFilterPair(g.m_audioCapture, m_mpeg4Audio, NULL, NULL) &&
               g.ConnectFilterPair(m_mpeg4Audio, m_aviMux, NULL, NULL) && result;
    return g.ConnectFilterPair(g.m_audioCapture, m_aviMux, NULL, NULL) && result;
}

// Setting up the encoder -------------------------------------------------------------------

// A preset the encoder refuses must not leave a recording of unknown settings running.
BOOL CTVRecordRoad::SetUpMpegEncoder(const Row& row)
{
    return ApplyPreset(m_mpegEncoder, row.format) && m_mpegEncoder->SetVideoParam97(0) &&
           m_mpegEncoder->SetVideoParam96(1) && m_mpegEncoder->SetAudioParam96(1);
}

BOOL CTVRecordRoad::ApplyPreset(CMpegEncoderFilter* encoder, int format)
{
    const Row& row = FindRow(format);
    MpegEncoderPreset values;
    BOOL frames25 = row.always25Frames || !m_graph.IsNtscStandard(m_graph.GetVideoStandard());
    if (!encoder || !row.preset || !row.preset(&values, frames25))
        return FALSE;
    values.videoBits = m_graph.m_recordScheme + row.schemeOffset;
    return encoder->ApplyPreset(&values);
}
