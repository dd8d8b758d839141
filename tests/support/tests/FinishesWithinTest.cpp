#include <gtest/gtest.h>

#include "FinishesWithin.h"

TEST(FinishesWithin, RunsTheCallToItsEnd)
{
    int calls = 0;
    EXPECT_TRUE(FinishesWithin(10000, [&] { ++calls; }));
    EXPECT_EQ(1, calls);
}

TEST(FinishesWithinDeathTest, EndsTheProcessWhenTheCallHangs)
{
    EXPECT_EXIT(FinishesWithin(50, [] { Sleep(INFINITE); }), testing::ExitedWithCode(3),
                "did not return");
}
