#pragma once

#include <windows.h>

class CAcmWrapperFilter;
class CAvSwitchFilter;
class CDumpFilter;
class CFileWriteFilter;
class CFilterWrapper;
class CMpegEncoderFilter;
class CMsMuxFilter;
class CTVGraph;
struct MpegEncoderPreset;

// The TV record road: the preview's picture and the captured sound through the record
// format's filters into the file, one row of build steps per format. Its wrappers belong to
// the graph's builder like every wrapper: they are cleared whenever the builder deletes its
// wrappers.
class CTVRecordRoad
{
public:
    // Sound rates of the MPEG encodings: the DVD formats carry 48 kHz sound, the others 44.1 kHz.
    enum { kMpegAudioRate = 44100, kDvdAudioRate = 48000 };

    explicit CTVRecordRoad(CTVGraph& graph) : m_graph(graph) {}

    // Adds, configures and connects the format's filters, then sets up its encoder, up to the
    // first step that fails; formats without a row record as AVI.
    BOOL Build(int format);
    void Clear();
    // The format's encoder preset, for the record scheme and the current standard; FALSE for a
    // format without one.
    BOOL ApplyPreset(CMpegEncoderFilter* encoder, int format);
    // NULL outside an MPEG recording.
    CAvSwitchFilter* GetAvSwitch() const { return m_avSwitch; }
    // The chosen MPEG-4 sound compressor's wrapper goes; the next recording makes the new one.
    void ReleaseMpeg4Audio();
    // Makes the MPEG-4 codec's wrapper when there is none; FALSE when it cannot be made.
    BOOL MakeMpeg4Codec();
    void ReleaseMpeg4Codec();

private:
    CTVRecordRoad(const CTVRecordRoad&);
    CTVRecordRoad& operator=(const CTVRecordRoad&);

    struct Row;
    typedef BOOL (CTVRecordRoad::*Step)(const Row& row);
    typedef BOOL (*EncoderPreset)(MpegEncoderPreset* preset, BOOL frames25);
    struct Row
    {
        int format;
        Step addFilters, configure, connect, setUpEncoder;
        EncoderPreset preset;
        BOOL always25Frames;  // the preset's 25-frame picture whatever the standard
        int schemeOffset;     // added to the record scheme: the preset's video-bits word
        LONG captureWidth;    // 0: the current capture size; else this width, 576 or 480 high
        BOOL smallFrame;      // the deinterlace filter halves the picture for the encoder
        DWORD audioRate;      // samples per second of the captured sound
    };
    static const Row s_rows[];
    static const Row& FindRow(int format);

    BOOL AddAviFilters(const Row& row);
    BOOL AddMpegFilters(const Row& row);
    BOOL AddMpeg4Filters(const Row& row);
    BOOL ConfigureAvi(const Row& row);
    BOOL ConfigureMpeg(const Row& row);
    BOOL ConfigureMpeg4(const Row& row);
    BOOL ConnectAviChain(const Row& row);
    BOOL ConnectMpegChain(const Row& row);
    BOOL ConnectMpeg4Chain(const Row& row);
    BOOL NoEncoderSetUp(const Row& row);
    BOOL SetUpMpegEncoder(const Row& row);

    CTVGraph& m_graph;  // weak: the graph owns its roads; the road builds on its preview and sound

    // Recorded with the picture; nothing turns it off.
    BOOL m_recordAudio = TRUE;
    CFilterWrapper* m_smartTee = NULL;
    CMsMuxFilter* m_aviMux = NULL;
    CFileWriteFilter* m_aviWriter = NULL;
    CMpegEncoderFilter* m_mpegEncoder = NULL;
    CDumpFilter* m_dump = NULL;
    CAcmWrapperFilter* m_acmWrapper = NULL;
    CAvSwitchFilter* m_avSwitch = NULL;
    CFilterWrapper* m_mpeg4Codec = NULL;
    CFilterWrapper* m_mpeg4Audio = NULL;
};
