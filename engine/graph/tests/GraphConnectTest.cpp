// Connections between pin records, made and broken through the builder.
#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "StockFilters.h"

namespace
{

class GraphConnectTest : public GraphBuilderTest
{
protected:
    void SetUp() override
    {
        GraphBuilderTest::SetUp();
        source = builder->AddFilter(kTestSourceClsid, "source");
        sink = builder->AddFilter(kTestSinkClsid, "sink");
        ASSERT_TRUE(source && sink);
        out = source->FindPin("Out");
        in = sink->FindPin("In");
        ASSERT_TRUE(out && in);
    }

    CFilterWrapper* source = nullptr;
    CFilterWrapper* sink = nullptr;
    CFilterPin* out = nullptr;
    CFilterPin* in = nullptr;
};

TEST_F(GraphConnectTest, AnEmptyPinNameMeansTheFirstFreePin)
{
    const char* names[][2] = {
        // output   input
        {nullptr,   nullptr},
        {"",        ""},
        {"Out",     "In"},
    };
    for (size_t i = 0; i < sizeof(names) / sizeof(names[0]); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(builder->ConnectFilters(source, sink, names[i][0], names[i][1]));
        EXPECT_EQ(in, out->GetPeer());
        EXPECT_EQ(out, in->GetPeer());
        EXPECT_TRUE(IsConnected(in));
        builder->DisconnectPin(out);
    }
    EXPECT_FALSE(builder->ConnectFilters(source, sink, "Output", nullptr)) << "no pin of that name";
    EXPECT_FALSE(builder->ConnectFilters(source, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, out->GetPeer());
}

TEST_F(GraphConnectTest, APinRecordWithAPeerIsNotConnectedAgain)
{
    ASSERT_TRUE(builder->Connect(out, in));
    CFilterWrapper* other = builder->AddFilter(kTestSinkClsid, "other sink");
    EXPECT_FALSE(builder->Connect(out, other->GetFirstPin()));
    EXPECT_EQ(in, out->GetPeer());
    EXPECT_EQ(nullptr, other->GetFirstPin()->GetPeer());
    EXPECT_FALSE(builder->Connect(nullptr, in));
}

TEST_F(GraphConnectTest, AFailedConnectionLeavesTheGraphAsItWas)
{
    std::vector<std::wstring> before = FilterNames();
    SinkOf(sink)->Pin().RefuseAll(true);
    EXPECT_FALSE(builder->ConnectFilters(source, sink, nullptr, nullptr));
    EXPECT_EQ(nullptr, out->GetPeer());
    EXPECT_EQ(nullptr, in->GetPeer());
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
    EXPECT_EQ(before, FilterNames()) << "no converter left behind";
    EXPECT_EQ(2u, Wrappers().size());
}

TEST_F(GraphConnectTest, DisconnectingARecordFreesThePinInTheGraphToo)
{
    ASSERT_TRUE(builder->Connect(out, in));
    builder->DisconnectPin(in);
    EXPECT_EQ(nullptr, out->GetPeer());
    EXPECT_EQ(nullptr, in->GetPeer());
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
    EXPECT_EQ(in, sink->FindFreePin(0, TRUE));
    EXPECT_TRUE(builder->ConnectFilters(source, sink, nullptr, nullptr)) << "the free pin connects again";
}

TEST_F(GraphConnectTest, ConnectionsTheGraphMadeByItselfAreBrokenFromEitherEnd)
{
    ASSERT_EQ(S_OK, builder->GetGraph()->ConnectDirect(out->GetPin(), in->GetPin(), nullptr));
    builder->DisconnectPin(in);
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));

    ASSERT_EQ(S_OK, builder->GetGraph()->ConnectDirect(out->GetPin(), in->GetPin(), nullptr));
    builder->DisconnectWrapper(source);
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
}

TEST_F(GraphConnectTest, StopAndDisconnectAllStopsARunningGraphAndFreesEveryPin)
{
    ASSERT_TRUE(builder->Connect(out, in));
    ASSERT_TRUE(builder->Run());
    ASSERT_TRUE(SinkOf(sink)->Pin().WaitForSamples(3, 5000));
    builder->StopAndDisconnectAll();
    EXPECT_EQ(CGraphBuilder::kStopped, builder->GetState());
    EXPECT_FALSE(IsConnected(out));
    EXPECT_FALSE(IsConnected(in));
    EXPECT_EQ(nullptr, out->GetPeer());
}

TEST_F(GraphConnectTest, DisconnectWithRetryStopsTheGraphUntilThePinLetsGo)
{
    ASSERT_TRUE(builder->Connect(out, in));
    ASSERT_TRUE(builder->Run());
    ASSERT_TRUE(SinkOf(sink)->Pin().WaitForSamples(1, 5000));
    builder->DisconnectWithRetry(in->GetPin());
    EXPECT_EQ(CGraphBuilder::kStopped, builder->GetState());
    EXPECT_FALSE(IsConnected(in));
    builder->DisconnectPin(out);
}

TEST_F(GraphConnectTest, RenderingAPinLetsTheGraphCompleteTheStream)
{
    CFilterWrapper* grabber = builder->AddFilter(CLSID_SampleGrabber, "Grabber");
    ASSERT_TRUE(builder->ConnectFilters(source, grabber, nullptr, nullptr));
    CFilterPin* grabberOut = grabber->FindFreePin(1, TRUE);
    ASSERT_NE(nullptr, grabberOut);
    EXPECT_TRUE(builder->RenderPin(grabberOut, 0));
    EXPECT_TRUE(IsConnected(grabberOut));
    EXPECT_FALSE(builder->RenderPin(nullptr, 0));
}

} // namespace
