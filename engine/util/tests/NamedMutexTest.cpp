#include <gtest/gtest.h>

#include "HelperProcess.h"
#include "MutexHolder.h"
#include "NamedMutex.h"

enum { kLocked = 10, kNotLocked = 11 };

// args: mutex name. Reports whether this second process could lock it.
SUITE_HELPER(TryLock)
{
    CNamedMutex mutex(args[0].c_str(), FALSE);
    return mutex.Lock() ? kLocked : kNotLocked;
}

// args: mutex name. Ends while owning the mutex, which abandons it.
SUITE_HELPER(LockAndDie)
{
    HANDLE mutex = CreateMutexA(NULL, FALSE, args[0].c_str());
    return WaitForSingleObject(mutex, 10000) == WAIT_OBJECT_0 ? 0 : 2;
}

TEST(NamedMutex, SecondProcessCannotLockAHeldMutexAndGivesUp)
{
    std::string name = MutexHolder::UniqueName("KavexTest_Mutex");
    CNamedMutex mutex(name.c_str(), FALSE);
    ASSERT_TRUE(mutex.Lock());
    EXPECT_EQ(kNotLocked, HelperProcess::Run("TryLock", {name}));
    ASSERT_TRUE(mutex.Unlock());
    EXPECT_EQ(kLocked, HelperProcess::Run("TryLock", {name}));
}

TEST(NamedMutex, MutexWhoseOwnerDiedIsAcquired)
{
    std::string name = MutexHolder::UniqueName("KavexTest_Mutex");
    // Opened first, so the mutex outlives the dying process and is abandoned, not gone.
    CNamedMutex mutex(name.c_str(), FALSE);
    ASSERT_EQ(0, HelperProcess::Run("LockAndDie", {name}));
    EXPECT_TRUE(mutex.Lock());
    EXPECT_TRUE(mutex.Unlock());
}

TEST(NamedMutex, NameTakenByAnotherKindOfObjectGivesAMutexThatNeverLocks)
{
    std::string name = MutexHolder::UniqueName("KavexTest_Event");
    HANDLE event = CreateEventA(NULL, FALSE, FALSE, name.c_str());
    CNamedMutex mutex(name.c_str(), FALSE);
    EXPECT_FALSE(mutex.Lock());
    EXPECT_FALSE(mutex.Unlock());
    CloseHandle(event);
}
