#include <gtest/gtest.h>

#include "AppMessages.h"
#include "FakeCaptureDevice.h"
#include "MessageSink.h"
#include "MutexHolder.h"
#include "RemotePollThread.h"

namespace {

class RemotePollThreadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_device.SetAccessPresent(true);
        m_device.SetNotifyWnd(m_sink.Handle());
        m_device.SetRemotePollInterval(10);
        m_device.keyPressed = TRUE;
        m_device.key = 0xE1;
    }

    MessageSink m_sink;
    FakeCaptureDevice m_device;
};

} // namespace

TEST_F(RemotePollThreadTest, PostsTheDevicesKeyToItsNotifyWindow)
{
    CRemotePollThread thread(&m_device);
    thread.Resume();
    MSG got;
    ASSERT_TRUE(m_sink.WaitFor(WM_REMOTE_KEY, 10000, &got));
    EXPECT_EQ(0x3981u, got.message);
    EXPECT_EQ(0xE1u, got.wParam);
    EXPECT_EQ(0, got.lParam);
}

TEST_F(RemotePollThreadTest, PostsNothingWhileAnotherProcessHoldsTheRemoteMutex)
{
    std::unique_ptr<MutexHolder> holder(new MutexHolder("Mutex_Remote_Control"));
    ASSERT_TRUE(holder->IsHolding());
    CRemotePollThread thread(&m_device);
    thread.Resume();
    // Long enough for the poll thread's 1000 ms lock wait to give up at least once.
    EXPECT_FALSE(m_sink.WaitFor(WM_REMOTE_KEY, 2500));
    EXPECT_EQ(0, m_device.reads);

    holder.reset();
    EXPECT_TRUE(m_sink.WaitFor(WM_REMOTE_KEY, 10000));
}

TEST_F(RemotePollThreadTest, ReadsNothingWithoutAccessObjectOrWindow)
{
    struct Case { bool access; bool window; };
    const Case cases[] = {{false, true}, {true, false}};
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SCOPED_TRACE(i);
        m_device.SetAccessPresent(cases[i].access);
        m_device.SetNotifyWnd(cases[i].window ? m_sink.Handle() : NULL);
        m_device.reads = 0;
        CRemotePollThread thread(&m_device);
        thread.Resume();
        EXPECT_FALSE(m_sink.WaitFor(WM_REMOTE_KEY, 200));
        thread.Stop();
        EXPECT_EQ(0, m_device.reads);
    }
}

TEST_F(RemotePollThreadTest, ReadKeyFailsWithoutDeviceAndPeriodMustBePositive)
{
    CRemotePollThread orphan(NULL);
    DWORD key = 5;
    EXPECT_FALSE(orphan.ReadKey(&key));
    EXPECT_EQ(5u, key);
    EXPECT_FALSE(orphan.CanRun());
    EXPECT_FALSE(orphan.SetPeriod(0));
    EXPECT_TRUE(orphan.SetPeriod(1));
}
