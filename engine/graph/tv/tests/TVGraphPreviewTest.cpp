// The preview over the simulated card: built, run into a plain test window, re-routed when the
// input changes and kept running across a change of standard.
#include <gtest/gtest.h>

#include "GraphWindowFixture.h"

#include "CaptureDevice.h"
#include "CrossbarWrapper.h"
#include "SimDeviceSupport.h"

#include <cstdio>
#include <string>

#include <dshow.h>

namespace
{

class TVGraphPreviewTest : public GraphWindowFixture
{
protected:

    // The crossbar input routed to output 0, or -1.
    long RoutedInput()
    {
        IAMCrossbar* crossbar = NULL;
        long input = -1;
        IBaseFilter* filter = m_graph.GetCrossbar()->GetFilter();
        if (SUCCEEDED(filter->QueryInterface(IID_IAMCrossbar, (void**)&crossbar))) {
            crossbar->get_IsRoutedTo(0, &input);
            crossbar->Release();
        }
        return input;
    }

    HWND VideoWindowOwner()
    {
        IVideoWindow* window = NULL;
        OAHWND owner = 0;
        if (SUCCEEDED(m_graph.GetBuilder().GetGraph()->QueryInterface(IID_IVideoWindow, (void**)&window))) {
            window->get_Owner(&owner);
            window->Release();
        }
        return (HWND)owner;
    }

};

// The default prefix registers no Overlay Mixer.
TEST_F(TVGraphPreviewTest, WithoutOverlayMixerThePreviewRunsThroughTheDecompressorIntoTheOwnerWindow)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
    EXPECT_FALSE(m_graph.IsOverlayInUse());
    CFilterWrapper* decompressor = m_graph.GetBuilder().FindWrapper("AVI Decompressor");
    ASSERT_NE(nullptr, decompressor);
    EXPECT_NE(nullptr, decompressor->FindFreePin(PINDIR_OUTPUT, FALSE)) << "decompressor output connected";
    EXPECT_EQ(m_window, VideoWindowOwner());
    CFilterWrapper* renderer = m_graph.GetBuilder().FindWrapper("Render");
    ASSERT_NE(nullptr, renderer);
    ASSERT_NE(nullptr, renderer->FindFreePin(PINDIR_INPUT, FALSE)) << "renderer input connected";
    EXPECT_EQ(1, RoutedInput()) << "the tuner";
    EXPECT_EQ(640, m_graph.GetCaptureSize().cx);
    EXPECT_EQ(480, m_graph.GetCaptureSize().cy);
}

TEST_F(TVGraphPreviewTest, InputSwitchRoutesTheCrossbarAndKeepsThePreviewRunning)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    struct
    {
        int source;
        long input;
    } cases[] = {{CTVGraph::kComposite, 2}, {CTVGraph::kSVideo, 0}, {CTVGraph::kTuner, 1}};
    for (const auto& c : cases) {
        EXPECT_TRUE(m_graph.SetVideoSource(c.source, TRUE)) << c.source;
        EXPECT_TRUE(m_graph.RebuildPreview()) << c.source;
        EXPECT_EQ(c.input, RoutedInput()) << c.source;
        EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState()) << c.source;
    }
    EXPECT_FALSE(m_graph.SetVideoSource(CTVGraph::kFm, TRUE));
    EXPECT_EQ(1, RoutedInput()) << "FM leaves the crossbar as it was";
}

TEST_F(TVGraphPreviewTest, NtscOnTheTunerClearsThe25FrameFlagAndSetsThe30FrameInterval)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    EXPECT_TRUE(m_graph.SetVideoStandard(CTVGraph::kNtscM));
    EXPECT_FALSE(m_graph.Is50HzStandard());
    CaptureFormat format;
    ASSERT_EQ(S_OK, m_graph.GetCaptureDevice()->GetCaptureFormat(&format, 1));
    EXPECT_EQ(333333, format.header.AvgTimePerFrame);
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState()) << "the picture runs on";
    EXPECT_TRUE(m_graph.SetVideoStandard(CTVGraph::kPalD));
    EXPECT_TRUE(m_graph.Is50HzStandard());
}

TEST_F(TVGraphPreviewTest, RemadeGraphsRunThePreviewAgain)
{
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    m_graph.SetPictureValue(0, 6000);
    ASSERT_TRUE(m_graph.SetUseOverlay(FALSE));
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
    ASSERT_TRUE(m_graph.RecreateGraph());
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
    EXPECT_EQ(m_window, VideoWindowOwner());
    ProcAmpValue brightness;
    ASSERT_EQ(S_OK, m_graph.GetCaptureDevice()->GetVideoProcAmp(0, &brightness));
    EXPECT_EQ(6000, brightness.value) << "the kept picture value reaches the new capture filter";
    EXPECT_FALSE(m_graph.SetMpeg4Codec("no such codec"));
    EXPECT_TRUE(m_graph.GetMpeg4Codec().IsEmpty());
}

// The card of the prefix the device classes bind by name is card 0; its default module answers
// at 0x60 (bus address C0).
TEST_F(TVGraphPreviewTest, TuningAndPictureControlsReachTheCard)
{
    SimControl control(0);
    ASSERT_TRUE(m_graph.BuildPreview());
    ASSERT_TRUE(m_graph.RebuildPreview());
    unsigned long mark = 0;
    sscanf(control("trace mark").c_str(), "seq=%lu", &mark);
    EXPECT_TRUE(m_graph.SetFrequency(49750));
    std::string trace = control("trace " + std::to_string(mark));
    EXPECT_NE(std::string::npos, trace.find("W 60 05 8A CE A0")) << trace;
    const long values[5] = {4000, 3000, 5500, 6000, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(m_graph.SetPictureValue(i, values[i])) << i;
        ProcAmpValue record;
        ASSERT_TRUE(m_graph.GetVideoProcAmpInfo(i, &record)) << i;
        EXPECT_EQ(values[i], record.value) << i;
    }
}

} // namespace
