// Pin connection rules and clockless streaming, without a filter graph.
#include "ComRef.h"
#include "DshowTest.h"
#include "TestSink.h"
#include "TestSource.h"

namespace {

class DirectConnectionTest : public DshowTest
{
protected:
    void SetUp() override
    {
        DshowTest::SetUp();
        source = new CTestSource();
        sink = new CTestSink();
    }

    void TearDown() override
    {
        source->Stop();
        sink->Stop();
        source->Pin().Disconnect();
        sink->Pin().Disconnect();
        EXPECT_EQ(0u, source->Release());
        EXPECT_EQ(0u, sink->Release());
        DshowTest::TearDown();
    }

    IPin* out() { return &source->Pin(); }
    IPin* in() { return &sink->Pin(); }

    CTestSource* source = nullptr;
    CTestSink* sink = nullptr;
};

TEST_F(DirectConnectionTest, ConnectionCallsAreRefusedWhereTheyDoNotApply)
{
    AM_MEDIA_TYPE type = {};
    struct Case
    {
        const char* what;
        HRESULT expected;
        HRESULT actual;
    };
    const Case cases[] = {
        {"Connect without a peer", E_POINTER, out()->Connect(nullptr, nullptr)},
        {"Connect on an input pin", E_UNEXPECTED, in()->Connect(out(), nullptr)},
        {"Connect to an output pin", VFW_E_INVALID_DIRECTION, out()->Connect(out(), nullptr)},
        {"ReceiveConnection without a type", E_POINTER, in()->ReceiveConnection(out(), nullptr)},
        {"ReceiveConnection on an output pin", E_UNEXPECTED, out()->ReceiveConnection(in(), &type)},
        {"ReceiveConnection from an input pin", VFW_E_INVALID_DIRECTION, in()->ReceiveConnection(in(), &type)},
        {"ReceiveConnection of a refused type", VFW_E_TYPE_NOT_ACCEPTED, in()->ReceiveConnection(out(), &type)},
        {"Disconnect while unconnected", S_FALSE, out()->Disconnect()},
        {"EndOfStream on an output pin", E_UNEXPECTED, out()->EndOfStream()},
        {"EndOfStream while unconnected", VFW_E_NOT_CONNECTED, in()->EndOfStream()},
        {"BeginFlush while unconnected", VFW_E_NOT_CONNECTED, in()->BeginFlush()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, c.actual) << c.what;
}

TEST_F(DirectConnectionTest, ConnectionsChangeOnlyWhileStopped)
{
    ASSERT_EQ(S_OK, source->Pause());
    EXPECT_EQ(VFW_E_NOT_STOPPED, out()->Connect(in(), nullptr));
    ASSERT_EQ(S_OK, source->Stop());

    ASSERT_EQ(S_OK, out()->Connect(in(), nullptr));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, out()->Connect(in(), nullptr));
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, in()->ReceiveConnection(out(), &sink->Pin().ConnectionType()));

    ASSERT_EQ(S_OK, sink->Run(0));
    EXPECT_EQ(VFW_E_NOT_STOPPED, in()->Disconnect());
    ASSERT_EQ(S_OK, sink->Stop());
    EXPECT_EQ(S_OK, in()->Disconnect());
    EXPECT_EQ(S_OK, out()->Disconnect());

    AM_MEDIA_TYPE type;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out()->ConnectionMediaType(&type));
    EXPECT_EQ(nullptr, type.pbFormat);
}

TEST_F(DirectConnectionTest, LiveSourceWithoutClockPacesItselfAndStopsCleanly)
{
    ASSERT_EQ(S_OK, out()->Connect(in(), nullptr));
    ASSERT_EQ(S_OK, sink->Run(0));
    ASSERT_EQ(S_OK, source->Run(0));
    ASSERT_TRUE(sink->Pin().WaitForSamples(3, 5000));
    ASSERT_EQ(S_OK, source->Stop());
    ASSERT_EQ(S_OK, sink->Stop());
    EXPECT_EQ(0, source->Pin().FillingThreads());

    std::vector<TestSampleRecord> samples = sink->Pin().Samples();
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(static_cast<REFERENCE_TIME>(k) * 100000, samples[k].start);
        EXPECT_EQ(k, samples[k].firstByte);
    }
}

TEST_F(DirectConnectionTest, StoppedSinkRefusesSamplesAndEndOfStreamIsOncePerRun)
{
    ASSERT_EQ(S_OK, out()->Connect(in(), nullptr));
    CComRef<IMemAllocator> allocator;
    ASSERT_EQ(S_OK, sink->Pin().GetAllocator(allocator.Receive()));
    ASSERT_EQ(S_OK, allocator->Commit());
    CComRef<IMediaSample> sample;
    ASSERT_EQ(S_OK, allocator->GetBuffer(sample.Receive(), nullptr, nullptr, 0));

    EXPECT_EQ(VFW_E_WRONG_STATE, sink->Pin().Receive(sample.Get()));
    ASSERT_EQ(S_OK, sink->Run(0));
    EXPECT_EQ(S_OK, sink->Pin().Receive(sample.Get()));
    EXPECT_EQ(S_OK, in()->EndOfStream());
    EXPECT_EQ(VFW_E_SAMPLE_REJECTED_EOS, sink->Pin().Receive(sample.Get()));
    EXPECT_EQ(VFW_E_SAMPLE_REJECTED_EOS, in()->EndOfStream());

    EXPECT_EQ(S_OK, in()->BeginFlush());
    EXPECT_EQ(S_FALSE, sink->Pin().Receive(sample.Get())) << "samples are dropped while flushing";
    EXPECT_EQ(S_OK, in()->EndFlush());
    EXPECT_EQ(S_OK, sink->Pin().Receive(sample.Get())) << "a flush ends the old stream";
    EXPECT_EQ(2u, sink->Pin().Samples().size());
    EXPECT_EQ(1, sink->Pin().EndOfStreamCount());
    EXPECT_EQ(1, sink->Pin().FlushCount());

    sample.Reset();
    allocator->Decommit();
}

} // namespace
