// Source and sink on the base classes in Wine's filter graph with its allocator and clock.
#include "ComProbe.h"
#include "ComRef.h"
#include "DshowTest.h"
#include "TestSink.h"
#include "TestSource.h"

namespace {

class GraphTest : public DshowTest
{
protected:
    void SetUp() override
    {
        DshowTest::SetUp();
        source = new CTestSource();
        sink = new CTestSink();
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  graph.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(graph.QueryTo(control));
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink, L"sink"));
    }

    void TearDown() override
    {
        if (control)
            control->Stop();
        control.Reset();
        if (graph) {
            graph->RemoveFilter(source);
            graph->RemoveFilter(sink);
        }
        graph.Reset();
        EXPECT_EQ(0u, source->Release()) << "source";
        EXPECT_EQ(0u, sink->Release()) << "sink";
        DshowTest::TearDown();
    }

    HRESULT Connect(const AM_MEDIA_TYPE* type = nullptr)
    {
        return graph->ConnectDirect(&source->Pin(), &sink->Pin(), type);
    }

    // Waits for the next event of the graph with that code; false after the time-out.
    bool WaitForEvent(long wanted, LONG_PTR* param1, DWORD milliseconds)
    {
        CComRef<IMediaEvent> events;
        if (FAILED(graph->QueryInterface(IID_IMediaEvent, events.ReceiveVoid())))
            return false;
        DWORD begin = GetTickCount();
        while (GetTickCount() - begin < milliseconds) {
            long code = 0;
            LONG_PTR p1 = 0, p2 = 0;
            if (events->GetEvent(&code, &p1, &p2, 50) != S_OK)
                continue;
            events->FreeEventParams(code, p1, p2);
            if (code == wanted) {
                *param1 = p1;
                return true;
            }
        }
        return false;
    }

    CTestSource* source = nullptr;
    CTestSink* sink = nullptr;
    CComRef<IGraphBuilder> graph;
    CComRef<IMediaControl> control;
};

TEST_F(GraphTest, ConnectRunStopDisconnectDeliversStampedFramesAndReleasesEverything)
{
    ASSERT_EQ(S_OK, Connect());

    CComRef<IPin> peer;
    ASSERT_EQ(S_OK, source->Pin().ConnectedTo(peer.Receive()));
    EXPECT_EQ(static_cast<IPin*>(&sink->Pin()), peer.Get());
    AM_MEDIA_TYPE type;
    ASSERT_EQ(S_OK, sink->Pin().ConnectionMediaType(&type));
    EXPECT_TRUE(IsEqualGUID(type.subtype, MEDIASUBTYPE_RGB32));
    EXPECT_EQ(16, CAmMediaType::VideoInfoOf(type)->bmiHeader.biWidth);
    CAmMediaType::FreeFormat(type);
    ALLOCATOR_PROPERTIES granted = sink->Pin().AllocatorProperties();
    EXPECT_EQ(2, granted.cBuffers);
    EXPECT_EQ(512, granted.cbBuffer);

    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(sink->Pin().WaitForSamples(5, 5000));
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(0, source->Pin().FillingThreads()) << "Stop returns once the streaming thread has ended";

    std::vector<TestSampleRecord> samples = sink->Pin().Samples();
    for (size_t k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(samples[k].hasTime);
        EXPECT_EQ(static_cast<REFERENCE_TIME>(k) * 100000, samples[k].start);
        EXPECT_EQ(static_cast<REFERENCE_TIME>(k + 1) * 100000, samples[k].stop);
        EXPECT_EQ(k == 0, samples[k].discontinuity);
        EXPECT_EQ(512, samples[k].length);
        EXPECT_EQ(k, samples[k].firstByte);
    }

    ASSERT_EQ(S_OK, graph->Disconnect(&source->Pin()));
    ASSERT_EQ(S_OK, graph->Disconnect(&sink->Pin()));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, sink->Pin().ConnectedTo(peer.Receive()));
    EXPECT_EQ(nullptr, peer.Get());
}

TEST_F(GraphTest, PausedLiveSourceDeliversNothingUntilRun)
{
    ASSERT_EQ(S_OK, Connect());
    ASSERT_TRUE(SUCCEEDED(control->Pause()));
    FILTER_STATE state;
    EXPECT_EQ(VFW_S_CANT_CUE, source->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    EXPECT_FALSE(sink->Pin().WaitForSamples(1, 200));

    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_TRUE(sink->Pin().WaitForSamples(2, 5000));
    ASSERT_TRUE(SUCCEEDED(control->Pause()));
    size_t paused = sink->Pin().Samples().size();
    EXPECT_FALSE(sink->Pin().WaitForSamples(paused + 1, 200)) << "a paused live source stops delivering";

    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(sink->Pin().WaitForSamples(paused + 2, 5000));
    std::vector<TestSampleRecord> samples = sink->Pin().Samples();
    for (size_t k = 1; k < samples.size(); ++k)
        EXPECT_EQ(samples[k - 1].stop, samples[k].start) << "frames run on across the pause, sample " << k;
}

TEST_F(GraphTest, EndOfStreamAtTheSinkCompletesTheRun)
{
    source->Pin().SetFrameLimit(3);
    ASSERT_EQ(S_OK, Connect());
    ASSERT_TRUE(SUCCEEDED(control->Run()));

    LONG_PTR result = -1;
    ASSERT_TRUE(WaitForEvent(EC_COMPLETE, &result, 5000));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(3u, sink->Pin().Samples().size());
    EXPECT_EQ(1, sink->Pin().EndOfStreamCount());
    // The source now waits on the clock for a time far ahead; Stop must cut that short.
    ASSERT_EQ(S_OK, control->Stop());
    EXPECT_EQ(0, source->Pin().FillingThreads());
}

TEST_F(GraphTest, FillBufferFailureAbortsTheRun)
{
    source->Pin().FailFrame(2, E_OUTOFMEMORY);
    ASSERT_EQ(S_OK, Connect());
    ASSERT_TRUE(SUCCEEDED(control->Run()));

    LONG_PTR result = S_OK;
    ASSERT_TRUE(WaitForEvent(EC_ERRORABORT, &result, 5000));
    EXPECT_EQ(E_OUTOFMEMORY, result);
    EXPECT_EQ(2u, sink->Pin().Samples().size());
}

TEST_F(GraphTest, RefusedConnectionLeavesBothPinsUnconnected)
{
    AM_MEDIA_TYPE audio = {};
    audio.majortype = MEDIATYPE_Audio;
    struct Case
    {
        bool sinkRefuses;
        HRESULT bufferFailure;
        const AM_MEDIA_TYPE* pattern;
        HRESULT expected;
    };
    const Case cases[] = {
        // sinkRefuses  bufferFailure       pattern  expected
        {true,          S_OK,               nullptr, VFW_E_NO_ACCEPTABLE_TYPES},
        {false,         S_OK,               &audio,  VFW_E_NO_ACCEPTABLE_TYPES},
        {false,         VFW_E_SIZENOTSET,   nullptr, VFW_E_SIZENOTSET},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        sink->Pin().RefuseAll(cases[i].sinkRefuses);
        source->Pin().FailBufferSize(cases[i].bufferFailure);
        EXPECT_EQ(cases[i].expected, Connect(cases[i].pattern));
        CComRef<IPin> peer;
        EXPECT_EQ(VFW_E_NOT_CONNECTED, source->Pin().ConnectedTo(peer.Receive()));
        EXPECT_EQ(VFW_E_NOT_CONNECTED, sink->Pin().ConnectedTo(peer.Receive()));
    }
}

TEST_F(GraphTest, PartialTypeSelectsAMatchingType)
{
    AM_MEDIA_TYPE video = {};
    video.majortype = MEDIATYPE_Video;
    ASSERT_EQ(S_OK, Connect(&video));
    EXPECT_TRUE(IsEqualGUID(sink->Pin().ConnectionType().subtype, MEDIASUBTYPE_RGB32));
}

} // namespace
