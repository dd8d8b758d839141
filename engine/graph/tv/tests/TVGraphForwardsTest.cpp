// The graph's forwards before any card is opened, and the codec state it keeps.
#include <gtest/gtest.h>

#include "TVGraph.h"

#include <string.h>

TEST(TVGraphForwardsTest, WithoutACardTheForwardsAnswerFalseAndWriteNothing)
{
    CTVGraph graph;
    EXPECT_FALSE(graph.SetFMFrequency(90000));
    EXPECT_FALSE(graph.StartScan(TRUE, FALSE));
    EXPECT_FALSE(graph.IsScanLocked()) << "a scan that did not start holds no lock";
    const float table[] = {49.75f};
    EXPECT_FALSE(graph.SetScanFrequencies(table, 1));
    int lower = -1, upper = -1;
    EXPECT_FALSE(graph.GetTunerRange(&lower, &upper));
    EXPECT_FALSE(graph.GetFMRange(&lower, &upper));
    EXPECT_EQ(-1, lower);
    EXPECT_EQ(-1, upper);
    EXPECT_EQ(0, graph.GetTunerType());
    EXPECT_FALSE(graph.SendCardCommand(30, TRUE));
    EXPECT_FALSE(graph.StartRemotePoll());
    SIZE pin = graph.GetCapturePinSize();
    EXPECT_EQ(0, pin.cx);
    EXPECT_EQ(0, pin.cy);
    EXPECT_FALSE(graph.TakeSnapshot("C:\\snap\\never.bmp", 1, 80));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\snap\\never.bmp"));
}

TEST(TVGraphForwardsTest, WithoutOverlayMixerTheOverlayForwardsAnswerFalse)
{
    CTVGraph graph;
    COLORREF key = 7;
    long value = 7, minimum = 7, maximum = 7, standard = 7;
    BOOL letterbox = 7;
    EXPECT_FALSE(graph.SetOverlayColorKey(RGB(16, 0, 16)));
    EXPECT_FALSE(graph.GetOverlayColorKey(&key));
    EXPECT_FALSE(graph.GetOverlayProperty(0, &value));
    EXPECT_FALSE(graph.GetOverlayPropertyRange(0, &minimum, &maximum, &standard));
    EXPECT_EQ(100, maximum) << "the maximum a slider falls back to";
    EXPECT_FALSE(graph.IsLetterbox(&letterbox));
    EXPECT_EQ(7, letterbox);
    EXPECT_TRUE(graph.RemoveOverlayMixer());
}

TEST(TVGraphForwardsTest, CodecStateIsKeptAsACopyAndReadIntoLargeEnoughBuffers)
{
    CTVGraph graph;
    BYTE buffer[8];
    int size = sizeof(buffer);
    EXPECT_FALSE(graph.GetMpeg4CodecState(buffer, &size)) << "none kept";

    BYTE state[5] = {1, 2, 3, 4, 5};
    graph.SetMpeg4CodecState(state, sizeof(state));
    state[0] = 9;
    memset(buffer, 0xEE, sizeof(buffer));
    size = 4;
    EXPECT_TRUE(graph.GetMpeg4CodecState(buffer, &size));
    EXPECT_EQ(5, size) << "the kept size, though too large for the buffer";
    EXPECT_EQ(0xEE, buffer[0]) << "nothing copied into a small buffer";

    size = sizeof(buffer);
    EXPECT_TRUE(graph.GetMpeg4CodecState(buffer, &size));
    EXPECT_EQ(5, size);
    const BYTE expected[8] = {1, 2, 3, 4, 5, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(0, memcmp(expected, buffer, sizeof(buffer)));

    const BYTE other[2] = {7, 8};
    graph.SetMpeg4CodecState(other, 2);
    size = sizeof(buffer);
    EXPECT_TRUE(graph.GetMpeg4CodecState(buffer, &size));
    EXPECT_EQ(2, size);

    graph.ClearMpeg4CodecState();
    EXPECT_FALSE(graph.GetMpeg4CodecState(buffer, &size));
    graph.SetMpeg4CodecState(other, 2);
    graph.CloseTV();
    EXPECT_FALSE(graph.GetMpeg4CodecState(buffer, &size)) << "closing the TV frees it";
    graph.SetMpeg4CodecState(other, 2);
    graph.SetMpeg4CodecState(NULL, 2);
    EXPECT_FALSE(graph.GetMpeg4CodecState(buffer, &size)) << "nothing given, nothing kept";
}
