// The graph's events, seeking and video window as the builder passes them on.
#include "AppMessages.h"
#include "GraphBuilderFixture.h"
#include "GraphTestRecords.h"
#include "MessageSink.h"

namespace
{

class GraphEventTest : public GraphBuilderTest
{
protected:
    void Notify(long code, LONG_PTR param1)
    {
        CComRef<IMediaEventSink> events;
        ASSERT_HRESULT_SUCCEEDED(builder->GetGraph()->QueryInterface(IID_IMediaEventSink, events.ReceiveVoid()));
        ASSERT_HRESULT_SUCCEEDED(events->Notify(code, param1, 0));
    }

    // The WM_GRAPH_EVENT posted to the sink so far, as (wParam, lParam) pairs.
    std::vector<std::pair<WPARAM, LPARAM> > Posted()
    {
        std::vector<std::pair<WPARAM, LPARAM> > posted;
        MSG msg;
        while (sink.WaitFor(WM_GRAPH_EVENT, 0, &msg))
            posted.push_back(std::make_pair(msg.wParam, msg.lParam));
        return posted;
    }

    MessageSink sink;
};

TEST_F(GraphEventTest, DrainPostsSizePauseAndAbortAndEndsAtAnAbort)
{
    typedef std::vector<std::pair<WPARAM, LPARAM> > Posts;
    Notify(EC_VIDEO_SIZE_CHANGED, MAKELONG(720, 576));
    Notify(EC_USER + 7, 1);
    Notify(EC_PAUSED, S_OK);
    // As a filter passes its HRESULT: sign-extended in a 64-bit build.
    Notify(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_DISK_FULL));
    Notify(EC_ERRORABORT, E_FAIL);

    EXPECT_EQ(S_OK, builder->DrainEvents(sink.Handle()));
    EXPECT_EQ((Posts{{MAKELONG(720, 576), 4662}, {0, 4663}, {0, 4661}}), Posted()) << "a full disk is reported apart";
    EXPECT_EQ(S_OK, builder->DrainEvents(sink.Handle()));
    EXPECT_EQ((Posts{{0x80004005, 4664}}), Posted());
    EXPECT_EQ(E_ABORT, builder->DrainEvents(sink.Handle())) << "nothing left: the failing GetEvent ends the drain";
    EXPECT_TRUE(Posted().empty());
}

TEST_F(GraphEventTest, ForwardsEventCallsAndFailsSafelyWithoutAGraph)
{
    Notify(EC_USER + 1, 5);
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    ASSERT_EQ(S_OK, builder->GetEvent(&code, &param1, &param2, 0));
    EXPECT_EQ(EC_USER + 1, code);
    EXPECT_EQ(5, param1);
    EXPECT_EQ(S_OK, builder->FreeEventParams(code, param1, param2));
    EXPECT_EQ(S_OK, builder->SetNotifyWindow(sink.Handle(), WM_APP, 0));

    builder->TearDown();
    EXPECT_EQ(S_OK, builder->DrainEvents(sink.Handle())) << "no event interface, nothing to drain";
    EXPECT_EQ(E_POINTER, builder->GetEvent(&code, &param1, &param2, 0));
    EXPECT_EQ(E_POINTER, builder->ShowVideo(TRUE));
    EXPECT_EQ(E_POINTER, builder->SetRate(1.0));
    EXPECT_FALSE(builder->IsVideoVisible());
}

TEST_F(GraphEventTest, AGraphWithoutDurationOrVideoReportsNoneOfEither)
{
    CFilterWrapper* source = builder->AddFilter(kTestSourceClsid, "source");
    CFilterWrapper* sink = builder->AddFilter(kTestSinkClsid, "sink");
    ASSERT_TRUE(builder->ConnectFilters(source, sink, nullptr, nullptr));
    EXPECT_EQ(0, builder->GetDuration());
    EXPECT_FALSE(builder->IsVideoVisible());
    EXPECT_TRUE(FAILED(builder->ShowVideo(TRUE))) << "no video window in this graph";
    POINT position;
    SIZE size;
    EXPECT_TRUE(FAILED(builder->GetVideoPosition(&position, &size)));
    long bytes = 0;
    EXPECT_TRUE(FAILED(builder->GetCurrentImage(&bytes, nullptr)));
}

} // namespace
