// Settings the graph keeps and rounds before any card is opened.
#include <gtest/gtest.h>

#include "TVGraph.h"

namespace
{

struct SizeCase
{
    int source;
    LONG width, height, expectedWidth, expectedHeight;
};

// The tuner keeps PAL_D and composite NTSC_M until told otherwise.
const SizeCase kSizeCases[] = {
    {CTVGraph::kTuner, 704, 480, 704, 576},     {CTVGraph::kComposite, 704, 480, 720, 480},
    {CTVGraph::kTuner, 720, 240, 720, 352},     {CTVGraph::kComposite, 720, 240, 720, 240},
    {CTVGraph::kTuner, 160, 100, 176, 144},     {CTVGraph::kComposite, 176, 100, 160, 120},
    {CTVGraph::kTuner, 320, 479, 352, 288},     {CTVGraph::kComposite, 352, 480, 320, 480},
    {CTVGraph::kTuner, 480, 10, 480, 576},      {CTVGraph::kComposite, 480, 10, 480, 480},
    {CTVGraph::kComposite, 640, 100, 640, 480}, {CTVGraph::kTuner, 500, 300, 500, 300},
};

TEST(TVGraphSettingsTest, CaptureSizeIsRoundedForTheStandardOfTheSource)
{
    for (const SizeCase& c : kSizeCases) {
        CTVGraph graph;
        EXPECT_FALSE(graph.SetVideoSource(c.source, TRUE)) << "no crossbar to route";
        SIZE size = {c.width, c.height};
        EXPECT_TRUE(graph.SetCaptureSize(size));
        graph.AdjustCaptureSize();
        EXPECT_EQ(c.expectedWidth, graph.GetCaptureSize().cx) << c.width << "x" << c.height << " source " << c.source;
        EXPECT_EQ(c.expectedHeight, graph.GetCaptureSize().cy) << c.width << "x" << c.height << " source " << c.source;
    }
}

TEST(TVGraphSettingsTest, StandardsAreKeptPerSource)
{
    CTVGraph graph;
    EXPECT_EQ(CTVGraph::kPalD, graph.GetVideoStandard());
    graph.SetVideoSource(CTVGraph::kSVideo, TRUE);
    EXPECT_EQ(CTVGraph::kNtscM, graph.GetVideoStandard());
    EXPECT_FALSE(graph.SetVideoSource(CTVGraph::kFm, TRUE)) << "FM routes nothing";
    EXPECT_EQ(CTVGraph::kPalD, graph.GetVideoStandard()) << "outside the picture sources";
    EXPECT_TRUE(graph.Is50HzStandard());
    EXPECT_FALSE(graph.SetPictureValue(5, 1));
    EXPECT_FALSE(graph.SetPictureValue(1, 3000)) << "kept, but no device to take it";
    EXPECT_EQ(3000, graph.GetPictureValue(1));
}

} // namespace
