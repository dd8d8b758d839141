#include "CaptureDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

// The device-notify thread as a card whose driver signals an event drives it: the device
// registers its callback and event, starts the thread, and stops it or closes its access.
namespace {

class NotifyingDevice : public CCaptureDevice
{
public:
    NotifyingDevice() : CCaptureDevice(NULL, (IBaseFilter*)NULL) {}

    BOOL SetDeviceCallback(void (*callback)(void*)) override
    {
        StoreDeviceCallback(callback);
        return RenewDeviceEvent() != NULL;
    }
    BOOL StartDeviceNotify(DWORD) override { return StartNotifyThread(); }
    // What the driver does.
    void Signal() { SetEvent(GetDeviceEvent()); }
};

struct Calls
{
    LONG count = 0;
    DWORD thread = 0;
    void* device = NULL;
    HANDLE done = CreateEventA(NULL, FALSE, FALSE, NULL);
    ~Calls() { CloseHandle(done); }
};

Calls* g_calls = NULL;

void CountCall(void* device)
{
    g_calls->device = device;
    g_calls->thread = GetCurrentThreadId();
    InterlockedIncrement(&g_calls->count);
    SetEvent(g_calls->done);
}

class DeviceNotifyThreadTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_calls = &m_calls;
        ASSERT_TRUE(m_device.SetDeviceCallback(CountCall));
        ASSERT_TRUE(m_device.StartDeviceNotify(0));
    }

    void TearDown() override
    {
        m_device.CloseDeviceAccess();
        g_calls = NULL;
    }

    // Signals once and waits for the callback it causes.
    bool SignalAndWait()
    {
        m_device.Signal();
        return WaitForSingleObject(m_calls.done, 2000) == WAIT_OBJECT_0;
    }

    // After the thread is gone a signal calls nothing.
    void ExpectNoMoreCalls()
    {
        LONG before = m_calls.count;
        m_device.Signal();
        EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(m_calls.done, 200));
        EXPECT_EQ(before, m_calls.count);
    }

    Calls m_calls;
    NotifyingDevice m_device;
};

} // namespace

TEST_F(DeviceNotifyThreadTest, EachSignalRunsTheCallbackOnTheNotifyThread)
{
    const int signals = 5;
    for (int i = 0; i < signals; ++i)
        ASSERT_TRUE(SignalAndWait()) << i;
    EXPECT_EQ(signals, m_calls.count);
    EXPECT_NE(GetCurrentThreadId(), m_calls.thread);
    EXPECT_EQ(&m_device, m_calls.device);
}

TEST_F(DeviceNotifyThreadTest, StopDeviceNotifyEndsIt)
{
    ASSERT_TRUE(SignalAndWait());
    EXPECT_TRUE(m_device.StopDeviceNotify());
    ExpectNoMoreCalls();
    // And it starts again.
    ASSERT_TRUE(m_device.StartDeviceNotify(0));
    EXPECT_TRUE(SignalAndWait());
}

TEST_F(DeviceNotifyThreadTest, CloseDeviceAccessEndsIt)
{
    ASSERT_TRUE(SignalAndWait());
    EXPECT_EQ(S_OK, m_device.CloseDeviceAccess());
    ExpectNoMoreCalls();
}

TEST_F(DeviceNotifyThreadTest, ANewEventEndsTheThreadOnTheOldOne)
{
    ASSERT_TRUE(m_device.SetDeviceCallback(CountCall));
    ExpectNoMoreCalls();
    ASSERT_TRUE(m_device.StartDeviceNotify(0));
    EXPECT_TRUE(SignalAndWait());
}

TEST(DeviceNotifyThreadBase, TheBaseHasNoDriverToAsk)
{
    CCaptureDevice device(NULL, (IBaseFilter*)NULL);
    EXPECT_FALSE(device.SetDeviceCallback(CountCall));
    EXPECT_FALSE(device.StartDeviceNotify(0));
    EXPECT_TRUE(device.StopDeviceNotify());
}
