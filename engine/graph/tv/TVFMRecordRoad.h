#pragma once

#include <windows.h>

class CFileWriteFilter;
class CFilterWrapper;
class CIviAudioEncoderFilter;
class CIviFileWriterFilter;
class CIviMuxFilter;
class CMsMuxFilter;
class CTVGraph;

// The radio's record road: the captured sound through the format's compressor or encoder into
// the file. The radio's graph stays built between recordings, so the road's wrappers leave it
// with each recording. They belong to the graph's builder like every wrapper: they are cleared
// whenever the builder deletes its wrappers.
class CTVFMRecordRoad
{
public:
    explicit CTVFMRecordRoad(CTVGraph& graph) : m_graph(graph) {}

    // Adds, configures and connects the format's filters and sets up its encoder, up to the
    // first step that fails; formats without a row record as PCM.
    BOOL Build(int format);
    // Takes the road's wrappers out of the graph.
    void Release();
    void Clear();

private:
    CTVFMRecordRoad(const CTVFMRecordRoad&);
    CTVFMRecordRoad& operator=(const CTVFMRecordRoad&);

    struct Row;
    typedef BOOL (CTVFMRecordRoad::*Step)();
    // columns: format, add filters, configure, connect, encoder set-up
    struct Row
    {
        int format;
        Step addFilters, configure, connect, setUpEncoder;
    };
    static const Row s_rows[];

    BOOL AddPcmFilters();
    BOOL AddAdpcmFilters();
    BOOL AddMpegFilters();
    BOOL AddCustomFilters();
    BOOL AddAviFilters();
    BOOL ConfigureAvi();
    BOOL ConfigureMpeg();
    BOOL ConnectPcm();
    BOOL ConnectAdpcm();
    BOOL ConnectMpeg();
    BOOL ConnectCustom();
    BOOL ConnectCompressorChain(CFilterWrapper* compressor);
    BOOL NoEncoderSetUp() { return TRUE; }
    BOOL SetUpMpegEncoder();

    CTVGraph& m_graph;  // weak: the graph owns its roads; the road records the graph's sound

    CMsMuxFilter* m_aviMux = NULL;
    CFileWriteFilter* m_aviWriter = NULL;
    CFilterWrapper* m_pcmCompressor = NULL;
    CFilterWrapper* m_adpcmCompressor = NULL;
    CFilterWrapper* m_userCompressor = NULL;
    CIviAudioEncoderFilter* m_iviAudioEncoder = NULL;
    CIviMuxFilter* m_iviMux = NULL;
    CIviFileWriterFilter* m_iviWriter = NULL;
};
