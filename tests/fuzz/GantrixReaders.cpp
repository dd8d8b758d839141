// Gantrix's stream parsers: each elementary stream form delivered in samples to an input pin
// of the multiplexer filter, in a graph of its own beside a whole stream of the other kind, run
// to its end into a program or transport stream. The seeds are the streams FFmpeg made beside
// this program (scripts/fuzz makes them).
#include "FuzzReaders.h"

#include <dshow.h>

#include <string>
#include <vector>

#include "CMpegMuxFilter.h"
#include "CMuxFileSource.h"
#include "ComRef.h"
#include "MuxStreamTypes.h"

namespace {

const REFERENCE_TIME kSecond = 10000000;

// One stream file and the type its source offers; the time it plays, for the samples' stamps.
struct StreamFile
{
    const char* name;
    CAmMediaType (*type)();
    REFERENCE_TIME duration;
};

CAmMediaType Mpeg2()
{
    return Mpeg2Video();
}
CAmMediaType Mpeg1()
{
    return Mpeg1Video();
}
CAmMediaType H264()
{
    return H264Video();
}
CAmMediaType Mpeg1Audio()
{
    return Mp2();
}
CAmMediaType Dolby()
{
    return Ac3();
}
CAmMediaType Adts()
{
    return Aac();
}
CAmMediaType Wave()
{
    return Pcm();
}

const StreamFile kMpeg2 = {"mpeg2.m2v", Mpeg2, kSecond};
const StreamFile kMpeg1 = {"mpeg1.m1v", Mpeg1, kSecond};
const StreamFile kH264 = {"video.264", H264, kSecond};
const StreamFile kMp2 = {"tone.mp2", Mpeg1Audio, kSecond};
const StreamFile kAc3 = {"tone.ac3", Dolby, kSecond};
const StreamFile kAac = {"tone.aac", Adts, kSecond};
const StreamFile kPcm = {"tone.pcm", Wave, kSecond};

// The form a reader damages, the whole stream beside it and the output's preset.
struct Pairing
{
    const StreamFile* damaged;
    const StreamFile* partner;
    int preset;
};

// The graph of one run, taken down in reverse.
class MuxRun
{
public:
    MuxRun() { m_com = SUCCEEDED(CoInitializeEx(NULL, COINIT_MULTITHREADED)); }
    ~MuxRun()
    {
        if (m_control)
            m_control->Stop();
        for (auto& source : m_sources)
            m_graph->RemoveFilter(source.Get());
        if (m_graph && m_filter)
            m_graph->RemoveFilter(m_filter.Get());
        m_sources.clear();
        m_settings.Reset();
        m_events.Reset();
        m_control.Reset();
        m_graph.Reset();
        m_filter.Reset();
        if (m_com)
            CoUninitialize();
    }

    bool Build(int preset, const CString& output)
    {
        HRESULT hr = E_FAIL;
        CComIdentity* made = CMpegMuxFilter::Create(NULL, &hr);
        if (!made)
            return false;
        m_mux = static_cast<CMpegMuxFilter*>(made);
        made->InnerUnknown()->QueryInterface(IID_IBaseFilter, m_filter.ReceiveVoid());
        made->InnerRelease();
        if (!m_filter || FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                 m_graph.ReceiveVoid())))
            return false;
        m_graph->QueryInterface(IID_IMediaControl, m_control.ReceiveVoid());
        m_graph->QueryInterface(IID_IMediaEvent, m_events.ReceiveVoid());
        m_filter->QueryInterface(IID_IMpegMuxSettings, m_settings.ReceiveVoid());
        const char* text = output;
        const std::wstring name(text, text + output.GetLength());
        return m_control && m_events && m_settings && m_graph->AddFilter(m_filter.Get(), L"mux") == S_OK &&
               m_settings->LoadPreset(preset) == S_OK && m_mux->SetFileName(name.c_str(), NULL) == S_OK;
    }

    // A source of the file on the next input pin; false when the pin refuses it.
    bool Connect(const CString& path, const StreamFile& stream)
    {
        auto* source = new CMuxFileSource();
        CComRef<IBaseFilter> added;
        source->InnerUnknown()->QueryInterface(IID_IBaseFilter, added.ReceiveVoid());
        source->InnerRelease();
        if (m_graph->AddFilter(added.Get(), NULL) != S_OK)
            return false;
        m_sources.push_back(added);
        // An empty stream delivers nothing but its end.
        source->Pin().Load(path, stream.type(), stream.duration);
        m_pins.push_back(&source->Pin());
        CComRef<IPin> input;
        m_filter->FindPin((L"Input" + std::to_wstring(m_pins.size())).c_str(), input.Receive());
        return input && m_graph->ConnectDirect(&source->Pin(), input.Get(), NULL) == S_OK;
    }

    // Runs until the graph completes (true) or reports an error, or a source stops because
    // the multiplexer refused a sample (false). How long it may take is the harness's limit.
    bool RunToEnd()
    {
        if (FAILED(m_control->Run()))
            return false;
        for (;;) {
            long code = 0;
            if (m_events->WaitForCompletion(100, &code) == S_OK)
                return code == EC_COMPLETE;
            for (CMuxFileSourcePin* pin : m_pins) {
                if (FAILED(pin->LastResult()))
                    return false;
            }
        }
    }

private:
    bool m_com = false;
    CMpegMuxFilter* m_mux = NULL;
    CComRef<IBaseFilter> m_filter;
    CComRef<IGraphBuilder> m_graph;
    CComRef<IMediaControl> m_control;
    CComRef<IMediaEvent> m_events;
    CComRef<IMpegMuxSettings> m_settings;
    std::vector<CComRef<IBaseFilter>> m_sources;
    std::vector<CMuxFileSourcePin*> m_pins;
};

FuzzReader::Result Mux(const CString& folder, const CString& scratch, const Pairing& pairing)
{
    MuxRun run;
    if (!run.Build(pairing.preset, scratch))
        return FuzzReader::kRefused;
    // Video on the first input pin, as a capture graph connects it.
    const bool videoFirst = pairing.damaged->type().majortype == MEDIATYPE_Video;
    const StreamFile* first = videoFirst ? pairing.damaged : pairing.partner;
    const StreamFile* second = videoFirst ? pairing.partner : pairing.damaged;
    if (!run.Connect(InFolder(folder, first->name), *first) || !run.Connect(InFolder(folder, second->name), *second))
        return FuzzReader::kRefused;
    return run.RunToEnd() ? FuzzReader::kLoaded : FuzzReader::kRefused;
}

const Pairing kMpeg2Mp2 = {&kMpeg2, &kMp2, MUX_PRESET_MPEG2};
const Pairing kMpeg1Mp2 = {&kMpeg1, &kMp2, MUX_PRESET_MPEG1};
const Pairing kH264Mp2 = {&kH264, &kMp2, MUX_PRESET_MPEG2};
const Pairing kMp2Mpeg2 = {&kMp2, &kMpeg2, MUX_PRESET_MPEG2};
const Pairing kAc3Mpeg2 = {&kAc3, &kMpeg2, MUX_PRESET_DVD_MPEG2};
const Pairing kAacH264 = {&kAac, &kH264, MUX_PRESET_MPEG_TS};
const Pairing kPcmMpeg2 = {&kPcm, &kMpeg2, MUX_PRESET_DVD_MPEG2};

FuzzReader::Result MuxMpeg2(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kMpeg2Mp2);
}
FuzzReader::Result MuxMpeg1(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kMpeg1Mp2);
}
FuzzReader::Result MuxH264(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kH264Mp2);
}
FuzzReader::Result MuxMp2(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kMp2Mpeg2);
}
FuzzReader::Result MuxAc3(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kAc3Mpeg2);
}
FuzzReader::Result MuxAac(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kAacH264);
}
FuzzReader::Result MuxPcm(const CString& folder, const CString& scratch)
{
    return Mux(folder, scratch, kPcmMpeg2);
}

const char* const kMpeg2Files[] = {kMpeg2.name, kMp2.name, NULL};
const char* const kMpeg1Files[] = {kMpeg1.name, kMp2.name, NULL};
const char* const kH264Files[] = {kH264.name, kMp2.name, NULL};
const char* const kMp2Files[] = {kMp2.name, kMpeg2.name, NULL};
const char* const kAc3Files[] = {kAc3.name, kMpeg2.name, NULL};
const char* const kAacFiles[] = {kAac.name, kH264.name, NULL};
const char* const kPcmFiles[] = {kPcm.name, kMpeg2.name, NULL};

} // namespace

const FuzzReader kFuzzReaders[] = {
    {"mpeg2video", kMpeg2Files, 1, MuxMpeg2},
    {"mpeg1video", kMpeg1Files, 1, MuxMpeg1},
    {"h264", kH264Files, 1, MuxH264},
    {"mpegaudio", kMp2Files, 1, MuxMp2},
    {"ac3", kAc3Files, 1, MuxAc3},
    {"adts", kAacFiles, 1, MuxAac},
    {"pcm", kPcmFiles, 1, MuxPcm},
    {NULL, NULL, 0, NULL},
};

void WriteSeedFolder(const CString& folder)
{
    char program[MAX_PATH] = "";
    GetModuleFileNameA(NULL, program, MAX_PATH);
    *strrchr(program, '\\') = '\0';
    const CString streams = CString(program) + "\\streams";
    for (const StreamFile* stream : {&kMpeg2, &kMpeg1, &kH264, &kMp2, &kAc3, &kAac, &kPcm})
        CopyFileA(InFolder(streams, stream->name), InFolder(folder, stream->name), FALSE);
}
