#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

// The prefix every test runs in: code page 936 and the null ALSA sound device.
TEST(Prefix, AnsiCodePageIs936)
{
    EXPECT_EQ(936u, GetACP());
}

TEST(Prefix, HasWaveAndMixerDevices)
{
    EXPECT_GE(waveOutGetNumDevs(), 1u);
    EXPECT_GE(waveInGetNumDevs(), 1u);
    EXPECT_GE(mixerGetNumDevs(), 1u);
}
