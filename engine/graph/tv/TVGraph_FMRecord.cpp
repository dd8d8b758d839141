#include "TVGraph.h"

#include "AudioCaptureDevice.h"
#include "CaptureDevice.h"
#include "CodecClassIds.h"
#include "DeinterlaceFilter.h"
#include "FileWriteFilter.h"
#include "IniFile.h"
#include "IviAudioEncoderFilter.h"
#include "IviFileWriterFilter.h"
#include "IviMuxFilter.h"
#include "MsMuxFilter.h"

namespace
{

const char kPcmName[] = "PCM";
const char kAdpcmName[] = "Microsoft ADPCM";
const char kCustomSection[] = "FM_CUSTOM";

template <class Wrapper>
void RemoveBranchWrapper(CGraphBuilder& builder, Wrapper*& wrapper)
{
    builder.RemoveWrapper(wrapper);
    wrapper = NULL;
}

} // namespace

// columns: format, add filters, configure, connect, encoder set-up; the MPEG columns unused
const CTVGraph::RecordRow CTVGraph::s_fmRecordRows[] = {
    {kFmRecordPcm, &CTVGraph::AddFmPcmFilters, &CTVGraph::ConfigureFmAvi, &CTVGraph::ConnectFmPcm, &CTVGraph::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {kFmRecordAdpcm, &CTVGraph::AddFmAdpcmFilters, &CTVGraph::ConfigureFmAvi, &CTVGraph::ConnectFmAdpcm, &CTVGraph::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
    {kFmRecordMpeg, &CTVGraph::AddFmMpegFilters, &CTVGraph::ConfigureFmMpeg, &CTVGraph::ConnectFmMpeg, &CTVGraph::SetUpFmMpegEncoder, NULL, FALSE, 0, 0, FALSE, 0},
    {kFmRecordCustom, &CTVGraph::AddFmCustomFilters, &CTVGraph::ConfigureFmAvi, &CTVGraph::ConnectFmCustom, &CTVGraph::NoEncoderSetUp, NULL, FALSE, 0, 0, FALSE, 0},
};

BOOL CTVGraph::SetFMRecordFormat(int format)
{
    if (format > kFmRecordCustom)
        return FALSE;
    m_fmRecordFormat = format;
    return TRUE;
}

BOOL CTVGraph::StartFMRecord()
{
    static_assert(sizeof(s_fmRecordRows) / sizeof(s_fmRecordRows[0]) == kFmRecordCustom + 1, "one row per FM record format");
    if (m_recording)
        return StopRecord();
    m_builder.Stop();
    m_builder.StopAndDisconnectAll();
    const int count = sizeof(s_fmRecordRows) / sizeof(s_fmRecordRows[0]);
    return BuildRecordRow(FindRecordRow(s_fmRecordRows, count, m_fmRecordFormat), FALSE);
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

// The radio's graph stays built between recordings, so an ended branch leaves it: a writer
// left behind would run with the next branch and fail without a file, or empty its last one.
void CTVGraph::RemoveFmRecordFilters()
{
    RemoveBranchWrapper(m_builder, m_aviMux);
    RemoveBranchWrapper(m_builder, m_aviWriter);
    RemoveBranchWrapper(m_builder, m_fmPcmCompressor);
    RemoveBranchWrapper(m_builder, m_fmAdpcmCompressor);
    RemoveBranchWrapper(m_builder, m_fmUserCompressor);
    RemoveBranchWrapper(m_builder, m_iviAudioEncoder);
    RemoveBranchWrapper(m_builder, m_iviMux);
    RemoveBranchWrapper(m_builder, m_iviWriter);
}

BOOL CTVGraph::AddFmAviFilters()
{
    if (!m_aviMux)
        m_aviMux = dynamic_cast<CMsMuxFilter*>(m_builder.AddFilter(CLSID_MsMuxFilter, "AVI Mux"));
    if (!m_aviWriter)
        m_aviWriter = dynamic_cast<CFileWriteFilter*>(m_builder.AddFilter(CLSID_FileWriteFilter, "AVI Writer"));
    return m_aviMux && m_aviWriter;
}

BOOL CTVGraph::AddFmPcmFilters(const RecordRow&)
{
    BOOL result = AddFmAviFilters();
    if (!m_fmPcmCompressor)
        m_fmPcmCompressor = AddAudioCompressor(kPcmName);
    return m_fmPcmCompressor && result;
}

BOOL CTVGraph::AddFmAdpcmFilters(const RecordRow&)
{
    BOOL result = AddFmAviFilters();
    if (!m_fmAdpcmCompressor)
        m_fmAdpcmCompressor = AddAudioCompressor(kAdpcmName);
    return m_fmAdpcmCompressor && result;
}

BOOL CTVGraph::AddFmMpegFilters(const RecordRow&)
{
    if (!m_iviAudioEncoder)
        m_iviAudioEncoder =
            dynamic_cast<CIviAudioEncoderFilter*>(m_builder.AddFilter(CLSID_IviAudioEncoder, "IVI Audio Enc"));
    if (!m_iviMux)
        m_iviMux = dynamic_cast<CIviMuxFilter*>(m_builder.AddFilter(CLSID_IviMux, "IVI Mux"));
    if (!m_iviWriter)
        m_iviWriter = dynamic_cast<CIviFileWriterFilter*>(m_builder.AddFilter(CLSID_IviFileWriter, "IVI Write"));
    return m_iviAudioEncoder && m_iviMux && m_iviWriter;
}

// The user names the compressor in the settings sheet; it is kept in the TV settings file.
BOOL CTVGraph::AddFmCustomFilters(const RecordRow&)
{
    CIniFile* settings = Host().GetParamFile();
    int selected = 0;
    if (!settings || !settings->GetInt(kCustomSection, "SELECTED", selected) || selected <= 0)
        return FALSE;
    CString key, name;
    key.Format("FM_FIELTER%d", selected);
    settings->GetValue(kCustomSection, key, name);
    name.TrimLeft();
    name.TrimRight();
    if (name.IsEmpty())
        return FALSE;
    if (!AddFmAviFilters())
        return FALSE;
    if (m_fmUserCompressor)
        m_builder.RemoveWrapper(m_fmUserCompressor);
    m_fmUserCompressor = AddAudioCompressor(name);
    return m_fmUserCompressor != NULL;
}

BOOL CTVGraph::ConfigureFmAvi(const RecordRow&)
{
    return m_aviWriter && m_aviWriter->SetFileName(m_recordFileName);
}

BOOL CTVGraph::ConfigureFmMpeg(const RecordRow&)
{
    BOOL result = m_iviWriter && m_iviWriter->SetFileName(m_recordFileName);
    return SetMpegAudioFormat(kMpegAudioRate) && result;
}

BOOL CTVGraph::ConnectFmCompressorChain(CFilterWrapper* compressor)
{
    BOOL result = ConnectFilterPair(m_audioCapture, compressor, NULL, NULL);
    result = ConnectFilterPair(compressor, m_aviMux, NULL, NULL) && result;
    return ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL) && result;
}

BOOL CTVGraph::ConnectFmPcm(const RecordRow&)
{
    return ConnectFmCompressorChain(m_fmPcmCompressor);
}

BOOL CTVGraph::ConnectFmAdpcm(const RecordRow&)
{
    return ConnectFmCompressorChain(m_fmAdpcmCompressor);
}

BOOL CTVGraph::ConnectFmCustom(const RecordRow&)
{
    return ConnectFmCompressorChain(m_fmUserCompressor);
}

BOOL CTVGraph::ConnectFmMpeg(const RecordRow&)
{
    BOOL result = ConnectFilterPair(m_audioCapture, m_iviAudioEncoder, NULL, NULL);
    result = ConnectFilterPair(m_iviAudioEncoder, m_iviMux, NULL, NULL) && result;
    return ConnectFilterPair(m_iviMux, m_iviWriter, NULL, NULL) && result;
}

BOOL CTVGraph::SetUpFmMpegEncoder(const RecordRow&)
{
    LONG audio[CIviAudioEncoderFilter::kWords];
    LONG mux[CIviMuxFilter::kWords];
    IviAudioPreset44k(audio);
    IviMuxPresetVcd(mux);
    BOOL result = m_iviAudioEncoder && m_iviAudioEncoder->SetAudioSettings(audio);
    return m_iviMux && m_iviMux->SetMuxSettings(mux) && result;
}
