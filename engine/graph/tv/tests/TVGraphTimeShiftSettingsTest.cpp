// The time-shift settings the graph keeps and the buffer they call for, without a card.
#include <gtest/gtest.h>

#include "TVGraph.h"

namespace
{

TEST(TVGraphTimeShiftSettings, LengthAndBitRateKeepOnlyValuesInRange)
{
    CTVGraph graph;
    EXPECT_FALSE(graph.SetTimeShiftLength(599));
    EXPECT_EQ(600, graph.GetTimeShiftLength());
    EXPECT_TRUE(graph.SetTimeShiftLength(900));
    EXPECT_EQ(900, graph.GetTimeShiftLength());

    EXPECT_EQ((4500 + 224) * 900, graph.GetTimeShiftKbits());
    EXPECT_FALSE(graph.SetTimeShiftBitrate(4499));
    EXPECT_FALSE(graph.SetTimeShiftBitrate(18001));
    EXPECT_EQ((4500 + 224) * 900, graph.GetTimeShiftKbits()) << "a refused rate leaves the kept one";
    EXPECT_TRUE(graph.SetTimeShiftBitrate(18000));
    EXPECT_EQ((18000 + 224) * 900, graph.GetTimeShiftKbits());
}

TEST(TVGraphTimeShiftSettings, BufferHoldsSoundAndPictureForTheWholeLength)
{
    struct
    {
        int audioIndex;
        double videoBits;
        int seconds;
        LONGLONG bytes;
    } cases[] = {
        {11, 4000000, 600, 316800000LL}, // 224 kbit/s
        {1, 4000000, 600, 302400000LL},  // 32 kbit/s
        {14, 4500000, 600, 366300000LL}, // 384 kbit/s
        {0, 4000000, 600, 316800000LL},  // outside the table: 224 kbit/s
        {15, 4000000, 600, 316800000LL},
        {-1, 4000000, 600, 316800000LL},
        {11, 18000000, 3600, 8200800000LL},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].bytes,
                  CTVGraph::TimeShiftBufferBytes(cases[i].audioIndex, cases[i].videoBits, cases[i].seconds))
            << "row " << i;
}

TEST(TVGraphTimeShiftSettings, PauseAndPositionAnswerFalseWhileTimeShiftIsOff)
{
    CTVGraph graph;
    LONGLONG total = 0, available = 0, current = 0;
    EXPECT_FALSE(graph.IsTimeShiftOn());
    EXPECT_FALSE(graph.ToggleTimeShiftPause());
    EXPECT_FALSE(graph.IsTimeShiftPaused());
    EXPECT_FALSE(graph.GetTimeShiftPosition(&total, &available, &current));
    EXPECT_FALSE(graph.SetTimeShiftPosition(0));
}

} // namespace
