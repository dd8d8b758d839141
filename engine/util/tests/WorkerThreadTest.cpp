#include <gtest/gtest.h>

#include "FinishesWithin.h"
#include "WorkerThread.h"

namespace {

// What a thread did, kept outside it so that it can be read after the thread is deleted.
struct ThreadLog
{
    LONG runs = 0;
    LONG exits = 0;
    bool stopFlagSetAtStart = false;
};

// Runs until told to stop, as every worker of the program does.
class WaitingThread : public CWorkerThread
{
public:
    explicit WaitingThread(ThreadLog* log) : m_log(log) {}

protected:
    DWORD Run() override
    {
        InterlockedIncrement(&m_log->runs);
        m_log->stopFlagSetAtStart = IsStopping();
        while (!IsStopping())
            WaitForSingleObject(GetStopEvent(), INFINITE);
        return 1;
    }
    DWORD OnExit() override
    {
        InterlockedIncrement(&m_log->exits);
        return 0;
    }

    ThreadLog* m_log;
};

class StoppingThread : public WaitingThread
{
public:
    using WaitingThread::WaitingThread;
    ~StoppingThread() override { Stop(); }
};

} // namespace

TEST(WorkerThread, StopOnANeverResumedThreadLetsItRunToItsEnd)
{
    ThreadLog log;
    StoppingThread thread(&log);
    EXPECT_TRUE(FinishesWithin(10000, [&] { EXPECT_TRUE(thread.Stop()); }));
    EXPECT_EQ(1, log.runs);
    EXPECT_TRUE(log.stopFlagSetAtStart);
    EXPECT_EQ(1, log.exits);
}

TEST(WorkerThread, StopTwiceSucceedsBothTimes)
{
    ThreadLog log;
    StoppingThread thread(&log);
    EXPECT_EQ(1, thread.Resume());
    EXPECT_EQ(0, thread.Resume());
    EXPECT_TRUE(FinishesWithin(10000, [&] {
        EXPECT_TRUE(thread.Stop());
        EXPECT_TRUE(thread.Stop());
    }));
    EXPECT_EQ(1, log.runs);
    EXPECT_EQ(1, log.exits);
    EXPECT_EQ(-1, thread.Resume());
    EXPECT_FALSE(thread.CanRun());
}

TEST(WorkerThread, DeletingARunningThreadWithoutStopEndsIt)
{
    ThreadLog log;
    CWorkerThread* thread = new StoppingThread(&log);
    thread->Resume();
    EXPECT_TRUE(FinishesWithin(10000, [&] { delete thread; }));
    EXPECT_EQ(1, log.runs);
    EXPECT_EQ(1, log.exits);
}

// A subclass that forgot to stop in its destructor: the base must neither hang nor call
// the subclass's operations once the subclass is gone.
TEST(WorkerThread, BaseDestructorAloneEndsTheThreadSafely)
{
    ThreadLog neverResumed;
    EXPECT_TRUE(FinishesWithin(10000, [&] { delete new WaitingThread(&neverResumed); }));
    EXPECT_EQ(0, neverResumed.runs);
    EXPECT_EQ(0, neverResumed.exits);

    ThreadLog running;
    CWorkerThread* thread = new WaitingThread(&running);
    thread->Resume();
    EXPECT_TRUE(FinishesWithin(10000, [&] {
        while (running.runs == 0)
            Sleep(1);
    }));
    EXPECT_TRUE(FinishesWithin(10000, [&] { delete thread; }));
    EXPECT_EQ(0, running.exits);
}
