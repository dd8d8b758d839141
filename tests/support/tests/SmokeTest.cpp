#include <gtest/gtest.h>
#include <windows.h>

TEST(Smoke, AnsiCodePageIs936)
{
    EXPECT_EQ(936u, GetACP());
}
