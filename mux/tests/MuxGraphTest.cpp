// The multiplexer in Wine's filter graph over the real multiplexing library, fed by test
// sources reading elementary streams that check-graph.sh made with FFmpeg beforehand; the
// script reads the outputs back with ffprobe afterwards. Here: the pins appearing, the end
// of the run, the format checks at connection, the pin limits, segments with their list,
// audio sync, a failed write, transport streams, the index side files and the output pin.
#include "CMpegMuxFilter.h"
#include "CMuxFileSource.h"
#include "ComRef.h"
#include "MuxGuids.h"
#include "MuxStreamTypes.h"

#include <gtest/gtest.h>

#include <dshow.h>
#include <mmreg.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

const char kFolder[] = "C:\\sim\\out\\gantrix-graph\\";
const REFERENCE_TIME kSecond = 10000000;

std::string PathOf(const char* name)
{
    return std::string(kFolder) + name;
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char block[65536];
    DWORD read = 0;
    while (ReadFile(file, block, sizeof(block), &read, nullptr) && read > 0)
        bytes.append(block, read);
    CloseHandle(file);
    return bytes;
}

struct FakeSystem : CMuxSystem
{
    LONGLONG freeBytes = -1;
    void QueryVolume(const char*, bool* fat, LONGLONG* bytes) override
    {
        *fat = false;
        *bytes = freeBytes;
    }
};

class MuxGraphTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
        HRESULT hr = E_FAIL;
        CComIdentity* made = CMpegMuxFilter::Create(nullptr, &hr);
        ASSERT_TRUE(made);
        mux = static_cast<CMpegMuxFilter*>(made);
        made->InnerUnknown()->QueryInterface(IID_IBaseFilter, filter.ReceiveVoid());
        made->InnerRelease();
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IGraphBuilder, graph.ReceiveVoid()));
        ASSERT_EQ(S_OK, graph->AddFilter(filter.Get(), L"mux"));
        graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid());
        graph->QueryInterface(IID_IMediaEvent, events.ReceiveVoid());
        filter->QueryInterface(IID_IMpegMuxParams, params.ReceiveVoid());
        filter->QueryInterface(IID_IMpegMuxSettings, settings.ReceiveVoid());
        ASSERT_TRUE(control && events && params && settings);
    }

    void TearDown() override
    {
        if (control)
            control->Stop();
        for (auto& source : sources)
            graph->RemoveFilter(source.Get());
        if (graph)
            graph->RemoveFilter(filter.Get());
        sources.clear();
        pins.clear();
        params.Reset();
        settings.Reset();
        events.Reset();
        control.Reset();
        graph.Reset();
        filter.Reset();
        CoUninitialize();
    }

    void Output(int preset, const char* name)
    {
        ASSERT_EQ(S_OK, settings->LoadPreset(preset));
        ASSERT_EQ(S_OK, mux->SetFileName(Wide(PathOf(name)).c_str(), nullptr));
    }

    CComRef<IPin> InputPin(int number)
    {
        CComRef<IPin> pin;
        filter->FindPin((L"Input" + std::to_wstring(number)).c_str(), pin.Receive());
        return pin;
    }

    int InputPinCount()
    {
        int count = 0;
        while (InputPin(count + 1))
            ++count;
        return count;
    }

    // A source offering the type, its file loaded when a name is given; not yet connected.
    CMuxFileSourcePin* AddSource(const AM_MEDIA_TYPE& type, const char* file = nullptr,
                                 REFERENCE_TIME start = 0, REFERENCE_TIME duration = 2 * kSecond)
    {
        auto* source = new CMuxFileSource();
        CComRef<IBaseFilter> added;
        source->InnerUnknown()->QueryInterface(IID_IBaseFilter, added.ReceiveVoid());
        source->InnerRelease();
        EXPECT_EQ(S_OK, graph->AddFilter(added.Get(), nullptr));
        if (file)
            EXPECT_TRUE(source->Pin().Load(PathOf(file).c_str(), type, duration, start)) << file;
        else
            source->Pin().Offer(type);
        sources.push_back(added);
        // Eight times faster than they play, so the streams arrive interleaved as in a capture.
        source->Pin().SetPace(8);
        pins.push_back(&source->Pin());
        return &source->Pin();
    }

    // Segments are cut while both streams flow. At eight times their speed a loaded machine
    // can let one stream run seconds ahead of the other, and its queued packets then all fall
    // into the segment before a cut; at play speed they keep together as a capture's would.
    static std::vector<CMuxFileSourcePin*> AtPlaySpeed(std::vector<CMuxFileSourcePin*> pins)
    {
        for (CMuxFileSourcePin* pin : pins)
            pin->SetPace(1);
        return pins;
    }

    HRESULT Connect(CMuxFileSourcePin* pin, int input)
    {
        CComRef<IPin> in = InputPin(input);
        if (!in)
            return E_INVALIDARG;
        return graph->ConnectDirect(pin, in.Get(), nullptr);
    }

    // Connects each source to the next free input pin.
    void ConnectAll(const std::vector<CMuxFileSourcePin*>& pins)
    {
        for (size_t i = 0; i < pins.size(); ++i)
            ASSERT_EQ(S_OK, Connect(pins[i], static_cast<int>(i) + 1)) << i;
    }

    // Runs until every source has delivered its stream and the graph completes. Wine's
    // graph keeps a completion signalled across runs, so the sources are waited for first.
    long RunToEnd(long milliseconds = 20000)
    {
        if (control->Run() != S_OK)
            return 0;
        for (long waited = 0; waited < milliseconds && !AllDelivered(); waited += 10)
            Sleep(10);
        return WaitForEnd(milliseconds);
    }

    bool AllDelivered()
    {
        for (CMuxFileSourcePin* pin : pins) {
            if (pin->Loaded() && !pin->Delivered())
                return false;
        }
        return true;
    }

    long WaitForEnd(long milliseconds)
    {
        long code = 0;
        HRESULT hr = events->WaitForCompletion(milliseconds, &code);
        return hr == S_OK ? code : 0;
    }

    std::vector<long> Events()
    {
        std::vector<long> codes;
        long code;
        LONG_PTR first, second;
        while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
            codes.push_back(code);
            events->FreeEventParams(code, first, second);
        }
        return codes;
    }

    CMpegMuxFilter* mux = nullptr;
    CComRef<IBaseFilter> filter;
    CComRef<IGraphBuilder> graph;
    CComRef<IMediaControl> control;
    CComRef<IMediaEvent> events;
    CComRef<IMpegMuxParams> params;
    CComRef<IMpegMuxSettings> settings;
    std::vector<CComRef<IBaseFilter>> sources;
    std::vector<CMuxFileSourcePin*> pins;
};

// Video to Input1 and audio to Input2 make Input2 and then Input3; the run completes only
// once both streams have ended.
TEST_F(MuxGraphTest, Mpeg2VideoAndMp2CompleteAfterBothEnd)
{
    Output(MUX_PRESET_MPEG2, "mpeg2_mp2.mpg");
    auto* video = AddSource(Mpeg2Video(), "mpeg2.m2v");
    auto* audio = AddSource(Mp2(), "tone.mp2");
    EXPECT_EQ(1, InputPinCount());
    ASSERT_EQ(S_OK, Connect(video, 1));
    EXPECT_EQ(2, InputPinCount());
    ASSERT_EQ(S_OK, Connect(audio, 2));
    EXPECT_EQ(3, InputPinCount());

    audio->HoldEnd();
    ASSERT_EQ(S_OK, control->Run());
    for (int i = 0; i < 500 && !(audio->Delivered() && video->Delivered()); ++i)
        Sleep(10);
    ASSERT_TRUE(audio->Delivered() && video->Delivered());
    EXPECT_EQ(0, WaitForEnd(300)) << "complete before the audio ended";
    audio->ReleaseEnd();
    EXPECT_EQ(EC_COMPLETE, WaitForEnd(10000));
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_EQ(S_OK, video->LastResult());
    EXPECT_EQ(S_OK, audio->LastResult());
    EXPECT_GT(FileSize(PathOf("mpeg2_mp2.mpg")), 100000);

    // The graph reaches the source's position through the multiplexer.
    CComRef<IMediaSeeking> seeking;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaSeeking, seeking.ReceiveVoid()));
    LONGLONG duration = 0;
    EXPECT_EQ(S_OK, seeking->GetDuration(&duration));
    EXPECT_EQ(2 * kSecond, duration);
    CComRef<IMediaPosition> position;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IMediaPosition, position.ReceiveVoid()));
    REFTIME seconds = 0;
    EXPECT_EQ(S_OK, position->get_Duration(&seconds));
    EXPECT_DOUBLE_EQ(2.0, seconds);
    // The same through automation.
    LPOLESTR member = const_cast<LPOLESTR>(L"Duration");
    DISPID id = 0;
    ASSERT_EQ(S_OK, position->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id));
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(S_OK, position->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                                     nullptr));
    EXPECT_EQ(VT_R8, result.vt);
    EXPECT_DOUBLE_EQ(2.0, result.dblVal);
}

TEST_F(MuxGraphTest, Mpeg1VideoUnderPresetZero)
{
    Output(MUX_PRESET_MPEG1, "mpeg1_mp2.mpg");
    ConnectAll({AddSource(Mpeg1Video(), "mpeg1.m1v"), AddSource(Mp2(), "tone.mp2")});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(MuxGraphTest, DvdPresetCarriesAc3AndPcm)
{
    Output(MUX_PRESET_DVD_MPEG2, "dvd_ac3_pcm.mpg");
    ConnectAll({AddSource(Mpeg2Video(), "mpeg2.m2v"), AddSource(Ac3(), "tone.ac3"),
                AddSource(Pcm(), "tone.pcm")});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(MuxGraphTest, H264AndMp2UnderPresetTwo)
{
    Output(MUX_PRESET_MPEG2, "h264_mp2.mpg");
    ConnectAll({AddSource(H264Video(), "video.264"), AddSource(Mp2(), "tone.mp2")});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(MuxGraphTest, FormatChecksRefuseAndAcceptAtConnection)
{
    CAmMediaType noFormat;
    noFormat.majortype = MEDIATYPE_Video;
    noFormat.subtype = MEDIASUBTYPE_MPEG2_VIDEO;
    noFormat.formattype = FORMAT_None;
    CAmMediaType pcmWithoutBlock;
    pcmWithoutBlock.majortype = MEDIATYPE_Audio;
    pcmWithoutBlock.subtype = MEDIASUBTYPE_PCM;
    const struct
    {
        CAmMediaType type;
        bool accepted;
    } rows[] = {
        {Pcm(44100), false},
        {Pcm(48000, 24), false},
        {Pcm(48000, 16, 6), false},
        {Pcm(48000, 16, 0), false},
        {Pcm(96000, 16, 2), true},
        {Audio(MEDIASUBTYPE_DVD_LPCM_AUDIO, WAVE_FORMAT_PCM, 48000, 16, 1), true},
        {Audio(MEDIASUBTYPE_DVD_LPCM_AUDIO, WAVE_FORMAT_PCM, 32000, 16, 2), false},
        {pcmWithoutBlock, false},
        {Aac(), true},
        {Aac(0xFF, 20), false},
        {Aac(0x1610), false},
        {noFormat, false},
        {Mpeg2Video(), true},
        {Mpeg1Video(), true},
        {H264Video(), true},
        {Mp2(), true},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        auto* source = AddSource(rows[i].type);
        int free = InputPinCount();
        HRESULT hr = Connect(source, free);
        EXPECT_EQ(rows[i].accepted, SUCCEEDED(hr)) << "row " << i << ": " << std::hex << hr;
        if (SUCCEEDED(hr)) {
            CComRef<IPin> in = InputPin(free);
            graph->Disconnect(source);
            graph->Disconnect(in.Get());
        }
    }
}

TEST_F(MuxGraphTest, InputPinRefusesWhatItCannotTake)
{
    CComRef<IPin> pin = InputPin(1);
    CComRef<IMemInputPin> memory;
    ASSERT_EQ(S_OK, pin->QueryInterface(IID_IMemInputPin, memory.ReceiveVoid()));
    EXPECT_EQ(S_FALSE, memory->ReceiveCanBlock());
    EXPECT_EQ(E_FAIL, memory->NotifyAllocator(nullptr, FALSE));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->BeginFlush());
    // An end of stream always answers S_OK, even on an unconnected pin.
    EXPECT_EQ(S_OK, pin->EndOfStream());
    CComRef<IMediaSeeking> seeking;
    EXPECT_EQ(E_NOINTERFACE, filter->QueryInterface(IID_IMediaSeeking, seeking.ReceiveVoid()))
        << "no connected input pin to answer for the filter";
}

// Nine streams of each kind; after that the pins grow only while more than one is free,
// and never past 24.
TEST_F(MuxGraphTest, NineStreamsOfAKindAndTwentyFourPins)
{
    std::vector<CMuxFileSourcePin*> connected;
    for (int i = 0; i < 9; ++i) {
        connected.push_back(AddSource(Mpeg2Video()));
        ASSERT_EQ(S_OK, Connect(connected.back(), InputPinCount())) << "video " << i;
    }
    EXPECT_HRESULT_FAILED(Connect(AddSource(Mpeg1Video()), InputPinCount())) << "a tenth video stream";
    for (int i = 0; i < 9; ++i) {
        connected.push_back(AddSource(Mp2()));
        ASSERT_EQ(S_OK, Connect(connected.back(), InputPinCount())) << "audio " << i;
    }
    EXPECT_HRESULT_FAILED(Connect(AddSource(Pcm()), InputPinCount())) << "a tenth audio stream";
    EXPECT_EQ(19, InputPinCount());

    for (int i = 0; i < 18; ++i) {
        CComRef<IPin> in = InputPin(i + 1);
        graph->Disconnect(connected[i]);
        graph->Disconnect(in.Get());
    }
    // 19 free pins: each connection leaves more than one free, so each adds a pin.
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(S_OK, Connect(connected[i], i + 1)) << i;
        EXPECT_EQ(20 + i, InputPinCount()) << i;
    }
    ASSERT_EQ(S_OK, Connect(connected[5], 6));
    EXPECT_EQ(24, InputPinCount()) << "no 25th pin";
    ASSERT_EQ(S_OK, Connect(connected[10], 24));
    EXPECT_EQ(24, InputPinCount());
}

TEST_F(MuxGraphTest, SplittingWritesNumberedSegmentsAndTheirList)
{
    Output(MUX_PRESET_MPEG2, "split.mpg");
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SPLIT_FILES, 1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_WRITE_LIST, 1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SEGMENT_SIZE, 1));
    ConnectAll(AtPlaySpeed({AddSource(Mpeg2Video(), "big.m2v", 0, 4 * kSecond), AddSource(Mp2(), "tone4.mp2", 0, 4 * kSecond)}));
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_GT(FileSize(PathOf("split0001.mpg")), 0);
    EXPECT_GT(FileSize(PathOf("split.mzl")), 0);
}

// The video starts a second after the audio: the first second of audio is held back.
TEST_F(MuxGraphTest, SyncedAudioWaitsForTheVideo)
{
    Output(MUX_PRESET_MPEG2, "sync.mpg");
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SYNC_AUDIO, 1));
    ConnectAll({AddSource(Mpeg2Video(), "mpeg2.m2v", kSecond), AddSource(Mp2(), "long.mp2", 0, 3 * kSecond)});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
}

// A full disk stops the output: the samples that follow are taken and dropped, and the file
// grows no more until the next run.
TEST_F(MuxGraphTest, AfterAWriteFailureNothingMoreIsWritten)
{
    FakeSystem system;
    system.freeBytes = 0x100000 + 100000;
    mux->SetSystem(&system);
    Output(MUX_PRESET_MPEG2, "failed.mpg");
    auto* video = AddSource(Mpeg2Video(), "mpeg2.m2v");
    auto* audio = AddSource(Mp2(), "tone.mp2");
    ConnectAll({video, audio});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    LONGLONG size = FileSize(PathOf("failed.mpg"));
    EXPECT_GT(size, 0);
    EXPECT_LT(size, 100000 + 65536);
    EXPECT_EQ(S_OK, video->LastResult());
    EXPECT_EQ(S_OK, audio->LastResult());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_EQ(size, FileSize(PathOf("failed.mpg")));
    std::vector<long> codes = Events();
    EXPECT_EQ(1, std::count(codes.begin(), codes.end(), static_cast<long>(EC_MUX_DISK_FULL)));

    // The next run writes again.
    system.freeBytes = -1;
    ASSERT_EQ(S_OK, mux->SetFileName(Wide(PathOf("failed.mpg")).c_str(), nullptr));
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_GT(FileSize(PathOf("failed.mpg")), 150000);
    mux->SetSystem(nullptr);
}

// Twice the length of a sample this size never fits the buffer: it waits only for its own.
TEST_F(MuxGraphTest, ASampleLongerThanHalfTheBufferIsNotHeldForever)
{
    Output(MUX_PRESET_MPEG2, "one_sample.mpg");
    auto* video = AddSource(Mpeg2Video(), "big.m2v", 0, 4 * kSecond);
    video->SetSampleBytes(4000000);
    ConnectAll({video});
    EXPECT_EQ(EC_COMPLETE, RunToEnd(10000));
    EXPECT_EQ(S_OK, video->LastResult());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_GT(FileSize(PathOf("one_sample.mpg")), 3000000);
}

// A damaged stream whose picture never ends (the fuzzer's copy: a run of one byte over 4 MB
// long after the first picture): its bytes fill the video buffer and none can leave, so the
// pin refuses the sample that no longer fits rather than wait for room forever.
TEST_F(MuxGraphTest, APictureLongerThanTheBufferIsRefusedNotWaitedFor)
{
    std::string stream = ReadAll(PathOf("mpeg1.m1v"));
    const std::string pictureCode("\0\0\1\0", 4);
    size_t second = stream.find(pictureCode, stream.find(pictureCode) + 4);
    ASSERT_NE(std::string::npos, second);
    stream = stream.substr(0, second) + std::string(5 << 20, ',');
    FILE* file = fopen(PathOf("endless.m1v").c_str(), "wb");
    ASSERT_TRUE(file);
    fwrite(stream.data(), 1, stream.size(), file);
    fclose(file);

    Output(MUX_PRESET_MPEG1, "endless.mpg");
    auto* video = AddSource(Mpeg1Video(), "endless.m1v");
    ConnectAll({video, AddSource(Mp2(), "tone.mp2")});
    ASSERT_EQ(S_OK, control->Run());
    for (int waited = 0; waited < 20000 && video->LastResult() == S_OK; waited += 10)
        Sleep(10);
    EXPECT_EQ(E_FAIL, video->LastResult());
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(MuxGraphTest, TransportPresetFiveCarriesH264AndAac)
{
    Output(MUX_PRESET_MPEG_TS, "ts_h264_aac.ts");
    ConnectAll({AddSource(H264Video(), "video.264"), AddSource(Aac(), "tone.aac")});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
}

// Each transport preset in turn over one graph, with MPEG-2 video, MP2 and AC-3.
TEST_F(MuxGraphTest, EveryTransportPresetCarriesMpeg2Mp2AndAc3)
{
    ConnectAll({AddSource(Mpeg2Video(), "mpeg2.m2v"), AddSource(Mp2(), "tone.mp2"), AddSource(Ac3(), "tone.ac3")});
    for (int preset : {5, 8, 9, 10, 11, 12, 18, 19}) {
        std::string name = "ts_preset" + std::to_string(preset) + ".ts";
        Output(preset, name.c_str());
        EXPECT_EQ(EC_COMPLETE, RunToEnd()) << preset;
        EXPECT_EQ(S_OK, control->Stop()) << preset;
        for (CMuxFileSourcePin* pin : pins)
            EXPECT_EQ(S_OK, pin->LastResult()) << preset;
    }
}

// No transport stream carries PCM: the output does not open, so nothing is written and the
// pins refuse their samples; the sources stop and so does the graph.
TEST_F(MuxGraphTest, TransportPresetRefusesPcm)
{
    Output(MUX_PRESET_MPEG_TS, "ts_pcm.ts");
    auto* video = AddSource(Mpeg2Video(), "mpeg2.m2v");
    auto* pcm = AddSource(Pcm(), "tone.pcm");
    ConnectAll({video, pcm});
    ASSERT_EQ(S_OK, control->Run());
    for (int i = 0; i < 500 && (pcm->LastResult() == S_OK || video->LastResult() == S_OK); ++i)
        Sleep(10);
    EXPECT_HRESULT_FAILED(pcm->LastResult());
    EXPECT_HRESULT_FAILED(video->LastResult());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_LE(FileSize(PathOf("ts_pcm.ts")), 0);
}

// Index side files beside a program stream, and beside transport segments, cut with them.
TEST_F(MuxGraphTest, SideFilesIndexProgramAndTransportStreams)
{
    Output(MUX_PRESET_MPEG2, "side.mpg");
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_STREAM_FILES, 1));
    ConnectAll({AddSource(Mpeg2Video(), "mpeg2.m2v"), AddSource(Mp2(), "tone.mp2")});
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_GT(FileSize(PathOf("side.vdx")), 0);
    EXPECT_GT(FileSize(PathOf("side.adx")), 0);
}

TEST_F(MuxGraphTest, SplitTransportSegmentsWithSideFiles)
{
    Output(MUX_PRESET_MPEG_TS, "tsplit.ts");
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SPLIT_FILES, 1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SEGMENT_SIZE, 1));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_STREAM_FILES, 1));
    ConnectAll(AtPlaySpeed({AddSource(Mpeg2Video(), "big.m2v", 0, 4 * kSecond), AddSource(Mp2(), "tone4.mp2", 0, 4 * kSecond)}));
    EXPECT_EQ(EC_COMPLETE, RunToEnd());
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_GT(FileSize(PathOf("tsplit0001.ts")), 0);
    EXPECT_GT(FileSize(PathOf("tsplit0001.vdx")), 0);
}

// Without a file name the stream leaves through the output pin; Wine's File Writer puts each
// sample at the offset its times give, so its file is the one the filter would have written.
TEST_F(MuxGraphTest, PinModeIntoAFileWriterWritesWhatFileModeWrites)
{
    ConnectAll({AddSource(Mpeg2Video(), "mpeg2.m2v"), AddSource(Mp2(), "tone.mp2")});
    for (int preset : {MUX_PRESET_MPEG2, MUX_PRESET_MPEG_TS}) {
        std::string name = "pin_mode" + std::to_string(preset);
        Output(preset, (name + "_file.mpg").c_str());
        ASSERT_EQ(EC_COMPLETE, RunToEnd()) << preset;
        ASSERT_EQ(S_OK, control->Stop());

        ASSERT_EQ(S_OK, mux->SetFileName(L"", nullptr));
        CComRef<IBaseFilter> writer;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FileWriter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         writer.ReceiveVoid()));
        ASSERT_EQ(S_OK, graph->AddFilter(writer.Get(), L"writer"));
        CComRef<IFileSinkFilter> sink;
        ASSERT_EQ(S_OK, writer->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid()));
        std::string pinPath = PathOf((name + "_pin.mpg").c_str());
        ASSERT_EQ(S_OK, sink->SetFileName(Wide(pinPath).c_str(), nullptr));
        CComRef<IPin> output, input;
        ASSERT_EQ(S_OK, filter->FindPin(L"Output", output.Receive()));
        CComRef<IEnumPins> writerPins;
        ASSERT_EQ(S_OK, writer->EnumPins(writerPins.Receive()));
        ASSERT_EQ(S_OK, writerPins->Next(1, input.Receive(), nullptr));
        ASSERT_EQ(S_OK, graph->ConnectDirect(output.Get(), input.Get(), nullptr));

        EXPECT_EQ(EC_COMPLETE, RunToEnd()) << preset;
        EXPECT_EQ(S_OK, control->Stop());
        for (CMuxFileSourcePin* pin : pins)
            EXPECT_EQ(S_OK, pin->LastResult()) << preset;
        for (long code : Events())
            EXPECT_NE(EC_ERRORABORT, code) << preset;
        graph->RemoveFilter(writer.Get());

        std::string fileMode = ReadAll(PathOf((name + "_file.mpg").c_str()));
        EXPECT_GT(fileMode.size(), 100000u) << preset;
        EXPECT_TRUE(fileMode == ReadAll(pinPath)) << preset << ": " << fileMode.size() << " bytes in file mode, "
                                                  << FileSize(pinPath) << " through the pin";
    }
}

// Stopped halfway, the pin-mode graph stops at once, whatever the output pin was waiting for.
TEST_F(MuxGraphTest, PinModeStopsHalfwayThroughTheStreams)
{
    ConnectAll(AtPlaySpeed({AddSource(Mpeg2Video(), "big.m2v", 0, 4 * kSecond), AddSource(Mp2(), "tone4.mp2", 0, 4 * kSecond)}));
    CComRef<IBaseFilter> writer;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FileWriter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     writer.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph->AddFilter(writer.Get(), L"writer"));
    CComRef<IFileSinkFilter> sink;
    ASSERT_EQ(S_OK, writer->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid()));
    ASSERT_EQ(S_OK, sink->SetFileName(Wide(PathOf("pin_stopped.mpg")).c_str(), nullptr));
    CComRef<IPin> output, input;
    ASSERT_EQ(S_OK, filter->FindPin(L"Output", output.Receive()));
    CComRef<IEnumPins> writerPins;
    ASSERT_EQ(S_OK, writer->EnumPins(writerPins.Receive()));
    ASSERT_EQ(S_OK, writerPins->Next(1, input.Receive(), nullptr));
    ASSERT_EQ(S_OK, graph->ConnectDirect(output.Get(), input.Get(), nullptr));

    ASSERT_EQ(S_OK, control->Run());
    Sleep(1500);
    DWORD begin = GetTickCount();
    EXPECT_EQ(S_OK, control->Stop());
    EXPECT_LT(GetTickCount() - begin, 3000u);
    EXPECT_GT(FileSize(PathOf("pin_stopped.mpg")), 65536);
    graph->RemoveFilter(writer.Get());
}

// A split asked for while no output is open has no buffer to go to.
TEST_F(MuxGraphTest, SplitCommandNeedsAnOpenOutput)
{
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SPLIT_FILES, 1));
    EXPECT_EQ(E_NOINTERFACE, params->SetParam(MUX_PARAM_VIDEO_COMMAND, 0));
    ConnectAll({AddSource(Mpeg2Video())});
    EXPECT_EQ(E_UNEXPECTED, params->SetParam(MUX_PARAM_VIDEO_COMMAND, 0));
    ASSERT_EQ(S_OK, params->SetParam(MUX_PARAM_SPLIT_FILES, 0));
    EXPECT_EQ(E_INVALIDARG, params->SetParam(MUX_PARAM_VIDEO_COMMAND, 0));
}

TEST_F(MuxGraphTest, AHeldPinKeepsItsFilter)
{
    CComRef<IPin> pin = InputPin(1);
    ASSERT_TRUE(pin);
    graph->RemoveFilter(filter.Get());
    filter.Reset();
    mux = nullptr;
    PIN_INFO info = {};
    ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
    FILTER_INFO filterInfo = {};
    EXPECT_EQ(S_OK, info.pFilter->QueryFilterInfo(&filterInfo));
    if (filterInfo.pGraph)
        filterInfo.pGraph->Release();
    info.pFilter->Release();
    // The last holder lets go of the pin and so of the filter, which gives up its own.
    EXPECT_EQ(1u, pin.Detach()->Release());
}

} // namespace
