// The output pin over the scripted multiplexing library: the engine's writes leave as
// samples stamped with byte offsets, one end of stream per run, the buffer size the pin
// insists on, a failed delivery reported to the graph, and the pin's media type.
#include "CMpegMuxFilter.h"
#include "CMuxFileSource.h"
#include "CMuxStreamSink.h"
#include "ComRef.h"
#include "CritGuard.h"
#include "MuxStreamTypes.h"

#include <gtest/gtest.h>

#include <dshow.h>

#include <utility>
#include <vector>

namespace
{

const char kScriptKey[] = "Software\\Sim\\brevalon";

void SetScript(const char* script)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kScriptKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, "Script", 0, REG_SZ, reinterpret_cast<const BYTE*>(script), DWORD(strlen(script) + 1));
    RegCloseKey(key);
}

class MuxOutputPinTest : public testing::Test
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

        // An input stream puts the filter in pin mode; nothing flows from it while paused.
        source = new CMuxFileSource();
        source->InnerUnknown()->QueryInterface(IID_IBaseFilter, sourceFilter.ReceiveVoid());
        source->InnerRelease();
        source->Pin().Offer(Mpeg2Video());
        ASSERT_EQ(S_OK, graph->AddFilter(sourceFilter.Get(), L"source"));
        ASSERT_EQ(S_OK, graph->ConnectDirect(&source->Pin(), Pin(L"Input1").Get(), nullptr));

        sink = new CMuxStreamSink();
        sink->InnerUnknown()->QueryInterface(IID_IBaseFilter, sinkFilter.ReceiveVoid());
        sink->InnerRelease();
        ASSERT_EQ(S_OK, graph->AddFilter(sinkFilter.Get(), L"sink"));
        SetScript("");
    }

    void TearDown() override
    {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kScriptKey);
        if (control)
            control->Stop();
        control.Reset();
        events.Reset();
        if (graph) {
            graph->RemoveFilter(sinkFilter.Get());
            graph->RemoveFilter(sourceFilter.Get());
            graph->RemoveFilter(filter.Get());
        }
        graph.Reset();
        sinkFilter.Reset();
        sourceFilter.Reset();
        filter.Reset();
        CoUninitialize();
    }

    CComRef<IPin> Pin(const WCHAR* name)
    {
        CComRef<IPin> pin;
        filter->FindPin(name, pin.Receive());
        return pin;
    }

    HRESULT ConnectOutput() { return graph->ConnectDirect(Pin(L"Output").Get(), &sink->Pin(), nullptr); }

    // One paused run: the output opens, the script writes it at the normal end, it closes.
    void RunScript(const char* script)
    {
        SetScript(script);
        ASSERT_EQ(S_OK, control->Pause());
        {
            CCritGuard guard(mux->StateLock());
            mux->CloseMuxOutput(0);
        }
        ASSERT_EQ(S_OK, control->Stop());
    }

    std::vector<std::pair<long, LONG_PTR>> Events()
    {
        std::vector<std::pair<long, LONG_PTR>> codes;
        long code;
        LONG_PTR first, second;
        while (events->GetEvent(&code, &first, &second, 0) == S_OK) {
            codes.emplace_back(code, first);
            events->FreeEventParams(code, first, second);
        }
        return codes;
    }

    CMpegMuxFilter* mux = nullptr;
    CMuxFileSource* source = nullptr;
    CMuxStreamSink* sink = nullptr;
    CComRef<IBaseFilter> filter;
    CComRef<IBaseFilter> sourceFilter;
    CComRef<IBaseFilter> sinkFilter;
    CComRef<IGraphBuilder> graph;
    CComRef<IMediaControl> control;
    CComRef<IMediaEvent> events;
};

TEST_F(MuxOutputPinTest, WritesLeaveAsBufferSizedSamplesAtTheirByteOffsetsWithOneEndPerRun)
{
    ASSERT_EQ(S_OK, ConnectOutput());
    RunScript("150000");
    std::vector<CMuxStreamSinkPin::Sample> samples = sink->Pin().Samples();
    ASSERT_EQ(3u, samples.size());
    const CMuxStreamSinkPin::Sample want[] = {{65536, 0, 65536}, {65536, 65536, 131072}, {18928, 131072, 150000}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(want[i].length, samples[i].length) << i;
        EXPECT_EQ(want[i].start, samples[i].start) << i;
        EXPECT_EQ(want[i].stop, samples[i].stop) << i;
    }
    EXPECT_EQ(1, sink->Pin().EndOfStreamCount());

    // The next run counts from zero again and ends once more; closing twice ends once.
    SetScript("100");
    ASSERT_EQ(S_OK, control->Pause());
    {
        CCritGuard guard(mux->StateLock());
        mux->CloseMuxOutput(0);
        mux->CloseMuxOutput(0);
    }
    ASSERT_EQ(S_OK, control->Stop());
    samples = sink->Pin().Samples();
    ASSERT_EQ(4u, samples.size());
    EXPECT_EQ(0, samples[3].start);
    EXPECT_EQ(100, samples[3].stop);
    EXPECT_EQ(2, sink->Pin().EndOfStreamCount());
    for (const auto& event : Events())
        EXPECT_NE(EC_ERRORABORT, event.first);
}

TEST_F(MuxOutputPinTest, ASinkGrantingHalfTheBufferMakesTheConnectionFailAndAConnectionMakesTheEngine)
{
    sink->Pin().GrantHalf(true);
    EXPECT_HRESULT_FAILED(ConnectOutput());
    CComRef<IPin> peer;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, Pin(L"Output")->ConnectedTo(peer.Receive()));
    int connected = -1;
    CComRef<IMpegMuxParams> params;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IMpegMuxParams, params.ReceiveVoid()));
    ASSERT_EQ(S_OK, params->GetParam(MUX_PARAM_OUTPUT_CONNECTED, &connected));
    EXPECT_EQ(0, connected);

    EXPECT_EQ(nullptr, mux->Engine());

    // A connection makes the engine; breaking it ends the engine.
    sink->Pin().GrantHalf(false);
    EXPECT_EQ(S_OK, ConnectOutput());
    ASSERT_EQ(S_OK, params->GetParam(MUX_PARAM_OUTPUT_CONNECTED, &connected));
    EXPECT_EQ(1, connected);
    EXPECT_NE(nullptr, mux->Engine());
    ASSERT_EQ(S_OK, graph->Disconnect(Pin(L"Output").Get()));
    EXPECT_EQ(nullptr, mux->Engine());
}

TEST_F(MuxOutputPinTest, AFailedDeliveryAbortsTheGraphWithItsResult)
{
    const HRESULT refused = HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    sink->Pin().FailReceive(refused);
    ASSERT_EQ(S_OK, ConnectOutput());
    RunScript("150000");
    EXPECT_TRUE(sink->Pin().Samples().empty());
    int aborts = 0;
    for (const auto& event : Events()) {
        if (event.first == EC_ERRORABORT) {
            EXPECT_EQ(refused, static_cast<HRESULT>(event.second));
            ++aborts;
        }
    }
    EXPECT_GE(aborts, 1);
}

// Index 0 follows the multiplex type; any of the three is accepted whatever the type.
TEST_F(MuxOutputPinTest, TheMediaTypeFollowsTheMultiplexType)
{
    CComRef<IMpegMuxSettings> settings;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IMpegMuxSettings, settings.ReceiveVoid()));
    CComRef<IPin> output = Pin(L"Output");
    const struct
    {
        int preset;
        const GUID* subtype;
    } rows[] = {
        {MUX_PRESET_MPEG1, &MEDIASUBTYPE_MPEG1System},      {MUX_PRESET_VCD, &MEDIASUBTYPE_MPEG1System},
        {MUX_PRESET_MPEG2, &MEDIASUBTYPE_MPEG2_PROGRAM},    {MUX_PRESET_DVD_MPEG1, &MEDIASUBTYPE_MPEG2_PROGRAM},
        {MUX_PRESET_MPEG_TS, &MEDIASUBTYPE_MPEG2_TRANSPORT}, {MUX_PRESET_ATSC_HI, &MEDIASUBTYPE_MPEG2_TRANSPORT},
        {MUX_PRESET_HDV_HD2, &MEDIASUBTYPE_MPEG2_TRANSPORT},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(S_OK, settings->LoadPreset(row.preset)) << row.preset;
        CComRef<IEnumMediaTypes> types;
        ASSERT_EQ(S_OK, output->EnumMediaTypes(types.Receive()));
        AM_MEDIA_TYPE* got[2] = {};
        ULONG fetched = 0;
        EXPECT_EQ(S_FALSE, types->Next(2, got, &fetched)) << row.preset;
        ASSERT_EQ(1u, fetched) << row.preset;
        EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Stream, got[0]->majortype)) << row.preset;
        EXPECT_TRUE(IsEqualGUID(*row.subtype, got[0]->subtype)) << row.preset;
        EXPECT_TRUE(IsEqualGUID(FORMAT_None, got[0]->formattype)) << row.preset;
        CAmMediaType::Delete(got[0]);

        for (const GUID* subtype : {&MEDIASUBTYPE_MPEG1System, &MEDIASUBTYPE_MPEG2_PROGRAM,
                                    &MEDIASUBTYPE_MPEG2_TRANSPORT}) {
            AM_MEDIA_TYPE any = {};
            any.majortype = MEDIATYPE_Stream;
            any.subtype = *subtype;
            EXPECT_EQ(S_OK, output->QueryAccept(&any)) << row.preset;
        }
    }
    AM_MEDIA_TYPE video = {};
    video.majortype = MEDIATYPE_Video;
    video.subtype = MEDIASUBTYPE_MPEG2_PROGRAM;
    EXPECT_EQ(S_FALSE, output->QueryAccept(&video));

    // Connected, the pin stays: no file name may take its place.
    ASSERT_EQ(S_OK, ConnectOutput());
    EXPECT_EQ(E_UNEXPECTED, mux->SetFileName(L"C:\\sim\\out\\never.mpg", nullptr));
    EXPECT_TRUE(Pin(L"Output"));
}

} // namespace
