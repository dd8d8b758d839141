// A transform filter on the base classes between the test source and sink, in Wine's graph.
#include "ComRef.h"
#include "DshowTest.h"
#include "TestGuids.h"
#include "TestSink.h"
#include "TestSource.h"
#include "TransformBaseFilter.h"

#include <string.h>

namespace {

// Passes the type through and inverts every byte.
class CInvertFilter : public CTransformBaseFilter
{
public:
    CInvertFilter() : CTransformBaseFilter(nullptr, CLSID_DshowTestTransform, L"In", L"Out") {}

protected:
    HRESULT CheckInputType(const AM_MEDIA_TYPE& input) override
    {
        return IsEqualGUID(input.majortype, MEDIATYPE_Video) ? S_OK : S_FALSE;
    }
    HRESULT CheckTransform(const AM_MEDIA_TYPE& input, const AM_MEDIA_TYPE& output) override
    {
        return CAmMediaType::Equal(input, output) ? S_OK : S_FALSE;
    }
    HRESULT GetOutputType(int index, const AM_MEDIA_TYPE& input, CAmMediaType& output) override
    {
        return index == 0 ? output.Set(input) : VFW_S_NO_MORE_ITEMS;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        ALLOCATOR_PROPERTIES wanted = *request;
        wanted.cBuffers = 1;
        wanted.cbBuffer = InputPin().ConnectionType().lSampleSize;
        return CBaseOutputPin::RequireBuffers(allocator, wanted);
    }
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override
    {
        BYTE* in = nullptr;
        BYTE* out = nullptr;
        input->GetPointer(&in);
        output->GetPointer(&out);
        long length = input->GetActualDataLength();
        for (long i = 0; i < length; ++i)
            out[i] = static_cast<BYTE>(~in[i]);
        return output->SetActualDataLength(length);
    }
};

class TransformTest : public DshowTest
{
protected:
    void SetUp() override
    {
        DshowTest::SetUp();
        source = new CTestSource();
        transform = new CInvertFilter();
        sink = new CTestSink();
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                                  graph.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(graph.QueryTo(control));
        ASSERT_EQ(S_OK, graph->AddFilter(source, L"source"));
        ASSERT_EQ(S_OK, graph->AddFilter(transform, L"transform"));
        ASSERT_EQ(S_OK, graph->AddFilter(sink, L"sink"));
    }

    void TearDown() override
    {
        control->Stop();
        control.Reset();
        graph->RemoveFilter(source);
        graph->RemoveFilter(transform);
        graph->RemoveFilter(sink);
        graph.Reset();
        EXPECT_EQ(0u, source->Release());
        EXPECT_EQ(0u, transform->Release());
        EXPECT_EQ(0u, sink->Release());
        DshowTest::TearDown();
    }

    HRESULT ConnectInput() { return graph->ConnectDirect(&source->Pin(), &transform->InputPin(), nullptr); }
    HRESULT ConnectOutput() { return graph->ConnectDirect(&transform->OutputPin(), &sink->Pin(), nullptr); }

    CTestSource* source = nullptr;
    CInvertFilter* transform = nullptr;
    CTestSink* sink = nullptr;
    CComRef<IGraphBuilder> graph;
    CComRef<IMediaControl> control;
};

TEST_F(TransformTest, OutputConnectsOnlyAfterTheInput)
{
    EXPECT_EQ(VFW_E_NO_ACCEPTABLE_TYPES, ConnectOutput());
    ASSERT_EQ(S_OK, ConnectInput());
    ASSERT_EQ(S_OK, ConnectOutput());
    EXPECT_TRUE(CAmMediaType::Equal(source->Pin().ConnectionType(), sink->Pin().ConnectionType()));
}

TEST_F(TransformTest, SamplesArriveTransformedWithTheirTimesAndTheEndOfStreamFollows)
{
    source->Pin().SetFrameLimit(3);
    ASSERT_EQ(S_OK, ConnectInput());
    ASSERT_EQ(S_OK, ConnectOutput());
    ASSERT_TRUE(SUCCEEDED(control->Run()));

    CComRef<IMediaEvent> events;
    ASSERT_EQ(S_OK, graph->QueryInterface(IID_IMediaEvent, events.ReceiveVoid()));
    long code = 0;
    EXPECT_EQ(S_OK, events->WaitForCompletion(5000, &code));
    EXPECT_EQ(EC_COMPLETE, code);
    ASSERT_EQ(S_OK, control->Stop());

    std::vector<TestSampleRecord> samples = sink->Pin().Samples();
    ASSERT_EQ(3u, samples.size());
    for (size_t k = 0; k < samples.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(static_cast<REFERENCE_TIME>(k) * 100000, samples[k].start);
        EXPECT_EQ(static_cast<REFERENCE_TIME>(k + 1) * 100000, samples[k].stop);
        EXPECT_EQ(k == 0, samples[k].discontinuity);
        EXPECT_EQ(512, samples[k].length);
        EXPECT_EQ(255 - k, samples[k].firstByte);
    }
    EXPECT_EQ(1, sink->Pin().EndOfStreamCount());
}

TEST_F(TransformTest, FlushPassesDownstream)
{
    ASSERT_EQ(S_OK, ConnectInput());
    ASSERT_EQ(S_OK, ConnectOutput());
    ASSERT_TRUE(SUCCEEDED(control->Pause()));
    EXPECT_EQ(S_OK, transform->InputPin().BeginFlush());
    EXPECT_TRUE(sink->Pin().IsFlushing());
    EXPECT_EQ(S_OK, transform->InputPin().EndFlush());
    EXPECT_FALSE(sink->Pin().IsFlushing());
    EXPECT_EQ(1, sink->Pin().FlushCount());
}

} // namespace
