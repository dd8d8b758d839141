#include "TVFMRecordRoad.h"

// The graph first: the framework's strings must precede the system's safe-string header.
#include "TVGraph.h"

#include "AudioCaptureDevice.h"
#include "CodecClassIds.h"
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
void RemoveWrapper(CGraphBuilder& builder, Wrapper*& wrapper)
{
    builder.RemoveWrapper(wrapper);
    wrapper = NULL;
}

} // namespace

const CTVFMRecordRoad::Row CTVFMRecordRoad::s_rows[] = {
    {CTVGraph::kFmRecordPcm, &CTVFMRecordRoad::AddPcmFilters, &CTVFMRecordRoad::ConfigureAvi, &CTVFMRecordRoad::ConnectPcm, &CTVFMRecordRoad::NoEncoderSetUp},
    {CTVGraph::kFmRecordAdpcm, &CTVFMRecordRoad::AddAdpcmFilters, &CTVFMRecordRoad::ConfigureAvi, &CTVFMRecordRoad::ConnectAdpcm, &CTVFMRecordRoad::NoEncoderSetUp},
    {CTVGraph::kFmRecordMpeg, &CTVFMRecordRoad::AddMpegFilters, &CTVFMRecordRoad::ConfigureMpeg, &CTVFMRecordRoad::ConnectMpeg, &CTVFMRecordRoad::SetUpMpegEncoder},
    {CTVGraph::kFmRecordCustom, &CTVFMRecordRoad::AddCustomFilters, &CTVFMRecordRoad::ConfigureAvi, &CTVFMRecordRoad::ConnectCustom, &CTVFMRecordRoad::NoEncoderSetUp},
};

BOOL CTVFMRecordRoad::Build(int format)
{
    static_assert(sizeof(s_rows) / sizeof(s_rows[0]) == CTVGraph::kFmRecordCustom + 1, "one row per FM record format");
    const Row* row = &s_rows[0];
    for (const Row& each : s_rows) {
        if (each.format == format)
            row = &each;
    }
    return (this->*row->addFilters)() && (this->*row->configure)() && (this->*row->connect)() &&
           (this->*row->setUpEncoder)();
}

// A writer left behind would run with the next recording and fail without a file, or empty
// its last one.
void CTVFMRecordRoad::Release()
{
    CGraphBuilder& builder = m_graph.m_builder;
    RemoveWrapper(builder, m_aviMux);
    RemoveWrapper(builder, m_aviWriter);
    RemoveWrapper(builder, m_pcmCompressor);
    RemoveWrapper(builder, m_adpcmCompressor);
    RemoveWrapper(builder, m_userCompressor);
    RemoveWrapper(builder, m_iviAudioEncoder);
    RemoveWrapper(builder, m_iviMux);
    RemoveWrapper(builder, m_iviWriter);
}

void CTVFMRecordRoad::Clear()
{
    m_aviMux = NULL;
    m_aviWriter = NULL;
    m_pcmCompressor = NULL;
    m_adpcmCompressor = NULL;
    m_userCompressor = NULL;
    m_iviAudioEncoder = NULL;
    m_iviMux = NULL;
    m_iviWriter = NULL;
}

BOOL CTVFMRecordRoad::AddAviFilters()
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_aviMux)
        m_aviMux = dynamic_cast<CMsMuxFilter*>(builder.AddFilter(CLSID_MsMuxFilter, "AVI Mux"));
    if (!m_aviWriter)
        m_aviWriter = dynamic_cast<CFileWriteFilter*>(builder.AddFilter(CLSID_FileWriteFilter, "AVI Writer"));
    return m_aviMux && m_aviWriter;
}

BOOL CTVFMRecordRoad::AddPcmFilters()
{
    BOOL result = AddAviFilters();
    if (!m_pcmCompressor)
        m_pcmCompressor = m_graph.AddAudioCompressor(kPcmName);
    return m_pcmCompressor && result;
}

BOOL CTVFMRecordRoad::AddAdpcmFilters()
{
    BOOL result = AddAviFilters();
    if (!m_adpcmCompressor)
        m_adpcmCompressor = m_graph.AddAudioCompressor(kAdpcmName);
    return m_adpcmCompressor && result;
}

BOOL CTVFMRecordRoad::AddMpegFilters()
{
    CGraphBuilder& builder = m_graph.m_builder;
    if (!m_iviAudioEncoder)
        m_iviAudioEncoder =
            dynamic_cast<CIviAudioEncoderFilter*>(builder.AddFilter(CLSID_IviAudioEncoder, "IVI Audio Enc"));
    if (!m_iviMux)
        m_iviMux = dynamic_cast<CIviMuxFilter*>(builder.AddFilter(CLSID_IviMux, "IVI Mux"));
    if (!m_iviWriter)
        m_iviWriter = dynamic_cast<CIviFileWriterFilter*>(builder.AddFilter(CLSID_IviFileWriter, "IVI Write"));
    return m_iviAudioEncoder && m_iviMux && m_iviWriter;
}

// The user names the compressor in the settings sheet; it is kept in the TV settings file.
BOOL CTVFMRecordRoad::AddCustomFilters()
{
    CIniFile* settings = m_graph.Host().GetParamFile();
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
    if (!AddAviFilters())
        return FALSE;
    if (m_userCompressor)
        m_graph.m_builder.RemoveWrapper(m_userCompressor);
    m_userCompressor = m_graph.AddAudioCompressor(name);
    return m_userCompressor != NULL;
}

BOOL CTVFMRecordRoad::ConfigureAvi()
{
    return m_aviWriter && m_aviWriter->SetFileName(m_graph.m_recordFileName);
}

BOOL CTVFMRecordRoad::ConfigureMpeg()
{
    BOOL result = m_iviWriter && m_iviWriter->SetFileName(m_graph.m_recordFileName);
    return m_graph.SetMpegAudioFormat(CTVRecordRoad::kMpegAudioRate) && result;
}

BOOL CTVFMRecordRoad::ConnectCompressorChain(CFilterWrapper* compressor)
{
    BOOL result = m_graph.ConnectFilterPair(m_graph.m_audioCapture, compressor, NULL, NULL);
    result = m_graph.ConnectFilterPair(compressor, m_aviMux, NULL, NULL) && result;
    return m_graph.ConnectFilterPair(m_aviMux, m_aviWriter, NULL, NULL) && result;
}

BOOL CTVFMRecordRoad::ConnectPcm()
{
    return ConnectCompressorChain(m_pcmCompressor);
}

BOOL CTVFMRecordRoad::ConnectAdpcm()
{
    return ConnectCompressorChain(m_adpcmCompressor);
}

BOOL CTVFMRecordRoad::ConnectCustom()
{
    return ConnectCompressorChain(m_userCompressor);
}

BOOL CTVFMRecordRoad::ConnectMpeg()
{
    BOOL result = m_graph.ConnectFilterPair(m_graph.m_audioCapture, m_iviAudioEncoder, NULL, NULL);
    result = m_graph.ConnectFilterPair(m_iviAudioEncoder, m_iviMux, NULL, NULL) && result;
    return m_graph.ConnectFilterPair(m_iviMux, m_iviWriter, NULL, NULL) && result;
}

BOOL CTVFMRecordRoad::SetUpMpegEncoder()
{
    LONG audio[CIviAudioEncoderFilter::kWords];
    LONG mux[CIviMuxFilter::kWords];
    IviAudioPreset44k(audio);
    IviMuxPresetVcd(mux);
    BOOL result = m_iviAudioEncoder && m_iviAudioEncoder->SetAudioSettings(audio);
    return m_iviMux && m_iviMux->SetMuxSettings(mux) && result;
}
