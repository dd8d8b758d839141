#include <gtest/gtest.h>

#include <thread>

#include "MessageSink.h"

TEST(MessageSink, ReceivesWhatAnotherThreadPosts)
{
    MessageSink sink;
    ASSERT_NE((HWND)NULL, sink.Handle());
    std::thread poster([&] {
        PostMessageA(sink.Handle(), WM_APP + 1, 7, 8);
        PostMessageA(sink.Handle(), WM_APP + 2, 9, 10);
    });
    poster.join();

    MSG got;
    ASSERT_TRUE(sink.WaitFor(WM_APP + 2, 5000, &got));
    EXPECT_EQ(9u, got.wParam);
    ASSERT_TRUE(sink.WaitFor(WM_APP + 1, 5000, &got));
    EXPECT_EQ(7u, got.wParam);
    EXPECT_EQ(8, got.lParam);
    EXPECT_FALSE(sink.WaitFor(WM_APP + 1, 50));
}
