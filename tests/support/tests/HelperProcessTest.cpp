#include <gtest/gtest.h>
#include <windows.h>

#include "HelperProcess.h"

SUITE_HELPER(ExitWithArgCount)
{
    return (int)args.size();
}

SUITE_HELPER(ExitIfArgsAre)
{
    const std::vector<std::string> expected = {"plain", "with blank", "quote\"d", "back\\slash\\",
                                               "", "\xD6\xD0\xCE\xC4"};
    return args == expected ? 0 : 1;
}

SUITE_HELPER(Hang)
{
    Sleep(INFINITE);
    return 0;
}

TEST(HelperProcess, RunReturnsTheHelpersExitCode)
{
    EXPECT_EQ(0, HelperProcess::Run("ExitWithArgCount"));
    EXPECT_EQ(3, HelperProcess::Run("ExitWithArgCount", {"a", "b", "c"}));
}

TEST(HelperProcess, ArgumentsArriveUnchanged)
{
    EXPECT_EQ(0, HelperProcess::Run("ExitIfArgsAre", {"plain", "with blank", "quote\"d",
                                                      "back\\slash\\", "", "\xD6\xD0\xCE\xC4"}));
}

TEST(HelperProcess, UnknownHelperFails)
{
    EXPECT_EQ(127, HelperProcess::Run("NoSuchHelper"));
}

TEST(HelperProcess, RunKillsAHelperThatOutlivesTheTimeout)
{
    EXPECT_EQ(HelperProcess::kTimedOut, HelperProcess::Run("Hang", {}, 200));
}

TEST(HelperProcess, KillEndsARunningHelper)
{
    HelperProcess helper("Hang");
    ASSERT_TRUE(helper.IsStarted());
    EXPECT_FALSE(helper.Wait(0));
    HANDLE process;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), helper.Handle(), GetCurrentProcess(),
                                &process, 0, FALSE, DUPLICATE_SAME_ACCESS));
    helper.Kill();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);
}
