#include <gtest/gtest.h>

#include "PumpMessages.h"
#include "TimerObject.h"

namespace {

// The callback has no arguments: the tests reach their timer and counters through these.
CTimerObject* g_timer;
int g_ticks;
int g_stopAfter;
BOOL g_busyInCallback;

int CountTicks()
{
    g_busyInCallback = g_timer->IsBusy();
    ++g_ticks;
    return g_ticks < g_stopAfter ? 0 : -1;
}

class TimerObjectTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_timer = &m_timer;
        g_ticks = 0;
        g_stopAfter = 1000;
        g_busyInCallback = FALSE;
        m_timer.SetCallback(CountTicks);
    }

    // Ticks that arrive while this thread dispatches for a while.
    static int TicksDuring(DWORD ms)
    {
        int before = g_ticks;
        PumpMessagesUntil([] { return false; }, ms);
        return g_ticks - before;
    }

    CTimerObject m_timer;
};

TEST_F(TimerObjectTest, RunsItsCallbackUntilTheCallbackAnswersNegative)
{
    g_stopAfter = 3;
    ASSERT_NE(0u, m_timer.Start(10));
    ASSERT_TRUE(PumpMessagesUntil([] { return g_ticks == 3; }, 5000));

    EXPECT_EQ(0, TicksDuring(200));
    EXPECT_TRUE(g_busyInCallback);
    EXPECT_FALSE(m_timer.IsBusy());
}

TEST_F(TimerObjectTest, StopEndsTheTicksAndRestartBringsThemBack)
{
    ASSERT_NE(0u, m_timer.Start(10));
    ASSERT_TRUE(PumpMessagesUntil([] { return g_ticks >= 2; }, 5000));
    m_timer.Stop();
    EXPECT_EQ(0, TicksDuring(200));

    ASSERT_NE(0u, m_timer.Restart());
    EXPECT_TRUE(PumpMessagesUntil([] { return g_ticks >= 4; }, 5000));
}

TEST_F(TimerObjectTest, StartingAgainReplacesTheRunningTimer)
{
    UINT_PTR first = m_timer.Start(10);
    UINT_PTR second = m_timer.Start(10);
    ASSERT_NE(0u, second);
    EXPECT_NE(first, second);
    ASSERT_TRUE(PumpMessagesUntil([] { return g_ticks >= 1; }, 5000));

    // Two live timers would tick twice as often: after a stop none may be left.
    m_timer.Stop();
    EXPECT_EQ(0, TicksDuring(200));
}

TEST(TimerObjectLifetime, DestroyingTheObjectStopsItsTimer)
{
    g_ticks = 0;
    g_stopAfter = 1000;
    {
        CTimerObject timer;
        g_timer = &timer;
        timer.SetCallback(CountTicks);
        ASSERT_NE(0u, timer.Start(10));
    }
    // A tick reaching the destroyed object would crash or count.
    PumpMessagesUntil([] { return false; }, 200);
    EXPECT_EQ(0, g_ticks);
}

} // namespace
