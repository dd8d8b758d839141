// The preview as a viewer sees it: the card's picture read back from the renderer's window,
// which tells the routed input, the station and the frame number.
#include "PreviewFixture.h"

#include "CaptureDevice.h"
#include "CrossbarWrapper.h"

#include <dshow.h>

namespace
{

// Tuner, station 3 of the card's list ("SIM-4"), 471250 kHz.
const DWORD kTunerStationId = 0x103730D2;

class TVGraphPictureTest : public PreviewFixture
{
protected:
    void TearDown() override
    {
        m_card("signal svideo off");
        PreviewFixture::TearDown();
    }

    long TVFormat()
    {
        IAMAnalogVideoDecoder* decoder = NULL;
        long format = 0;
        IBaseFilter* filter = m_graph.GetCaptureDevice()->GetFilter();
        if (SUCCEEDED(filter->QueryInterface(IID_IAMAnalogVideoDecoder, (void**)&decoder))) {
            decoder->get_TVFormat(&format);
            decoder->Release();
        }
        return format;
    }

    // Waits for the picture of a new run: frame numbers start again from 0 at each Run, so
    // the first picture of that input numbered below `before` is the new run's, and it must
    // then move on. A blank window reads as ID 0 and is never taken for a picture.
    bool PictureRunsAgain(DWORD id, DWORD before)
    {
        if (!WaitForPicture([&](DWORD shown, DWORD frame) { return shown == id && frame < before; }))
            return false;
        DWORD restarted = m_frame;
        return WaitForPicture([&](DWORD shown, DWORD frame) { return shown == id && frame > restarted + 5; });
    }

    // A picture of that input at least 20 frames into its run, so that a new run shows lower numbers.
    bool PictureUnderWay(DWORD id)
    {
        return WaitForPicture([&](DWORD shown, DWORD frame) { return shown == id && frame >= 20; });
    }

    void WatchTheTunerStation()
    {
        ASSERT_NO_FATAL_FAILURE(StartPreview());
        ASSERT_TRUE(m_graph.SetFrequency(471250));
        ASSERT_TRUE(PictureUnderWay(kTunerStationId)) << std::hex << m_id;
    }
};

// How many of the card's frames reach the renderer is a figure of tvgraph_preview_bench.
TEST_F(TVGraphPictureTest, TheRendererShowsTheCardsFramesAtThePalFrameInterval)
{
    ASSERT_NO_FATAL_FAILURE(WatchTheTunerStation());
    DWORD shown = m_frame;
    ASSERT_TRUE(WaitForPicture([shown](DWORD, DWORD frame) { return frame > shown; })) << "the picture moves on";
    EXPECT_LE(m_frame, CardFrames()) << "a frame the card never sent";
    CaptureFormat format;
    ASSERT_EQ(S_OK, m_graph.GetCaptureDevice()->GetCaptureFormat(&format, 1));
    EXPECT_EQ(400000, format.header.AvgTimePerFrame) << "25 frames a second under PAL";
}

struct SourceCase
{
    int source;
    long crossbarInput;
    DWORD pictureInput;
    long tvFormat;
    BOOL is25Frames;
};

// Composite and S-video keep NTSC_M, the tuner PAL_D, until told otherwise.
const SourceCase kSourceCases[] = {
    {CTVGraph::kComposite, 2, CardPicture::kCompositeInput, AnalogVideo_NTSC_M, FALSE},
    {CTVGraph::kSVideo, 0, CardPicture::kSVideoInput, AnalogVideo_NTSC_M, FALSE},
    {CTVGraph::kTuner, 1, CardPicture::kTunerInput, AnalogVideo_PAL_D, TRUE},
};

TEST_F(TVGraphPictureTest, SelectingAnInputShowsItsPictureUnderItsKeptStandard)
{
    ASSERT_NO_FATAL_FAILURE(WatchTheTunerStation());
    m_card("signal svideo on");
    for (const SourceCase& c : kSourceCases) {
        EXPECT_TRUE(m_graph.SelectSource(c.source)) << c.source;
        EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState()) << c.source;
        IAMCrossbar* crossbar = NULL;
        long routed = -1;
        if (SUCCEEDED(m_graph.GetCrossbar()->GetFilter()->QueryInterface(IID_IAMCrossbar, (void**)&crossbar))) {
            crossbar->get_IsRoutedTo(0, &routed);
            crossbar->Release();
        }
        EXPECT_EQ(c.crossbarInput, routed) << c.source;
        EXPECT_EQ(c.tvFormat, TVFormat()) << c.source;
        EXPECT_EQ(c.is25Frames, m_graph.Is50HzStandard()) << c.source;
        EXPECT_TRUE(WaitForPicture([&](DWORD id, DWORD) { return CardPicture::InputOf(id) == c.pictureInput; }))
            << c.source << " shows " << std::hex << m_id;
    }
    EXPECT_EQ(kTunerStationId, m_id) << "back on the tuned station";
    EXPECT_FALSE(m_graph.SelectSource(CTVGraph::kFm)) << "FM routes no picture";
}

// A standard chosen while watching stops the graph to reach the decoder; the picture must
// come back by itself, not wait for the next rebuild.
TEST_F(TVGraphPictureTest, ChangingTheStandardWhileWatchingKeepsThePictureRunning)
{
    ASSERT_NO_FATAL_FAILURE(WatchTheTunerStation());
    const long standards[] = {CTVGraph::kNtscM, 0, CTVGraph::kPalD};
    for (long standard : standards) {
        ASSERT_TRUE(PictureUnderWay(kTunerStationId)) << standard;
        DWORD before = m_frame;
        EXPECT_TRUE(m_graph.SetVideoStandard(standard)) << standard;
        EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState()) << standard;
        EXPECT_TRUE(PictureRunsAgain(kTunerStationId, before)) << standard << ": the picture stands at frame " << m_frame;
    }
    EXPECT_EQ(AnalogVideo_PAL_D, TVFormat());
}

TEST_F(TVGraphPictureTest, ALineInputStandardRebuildsARunningPreviewAndIsKeptForThatInput)
{
    ASSERT_NO_FATAL_FAILURE(StartPreview());
    ASSERT_TRUE(m_graph.SelectSource(CTVGraph::kComposite));
    const DWORD compositeId = CardPicture::kCompositeInput << 28;
    ASSERT_TRUE(PictureUnderWay(compositeId)) << std::hex << m_id;
    DWORD before = m_frame;
    EXPECT_TRUE(m_graph.SetSourceStandard(AnalogVideo_PAL_B));
    EXPECT_EQ(CGraphBuilder::kRunning, m_graph.GetBuilder().GetState());
    EXPECT_TRUE(m_graph.Is50HzStandard());
    EXPECT_EQ(AnalogVideo_PAL_B, TVFormat());
    EXPECT_TRUE(PictureRunsAgain(compositeId, before)) << "the picture stands at frame " << m_frame;
    EXPECT_EQ(AnalogVideo_PAL_B, m_graph.GetVideoStandard());
    m_graph.SelectSource(CTVGraph::kTuner);
    EXPECT_EQ(CTVGraph::kPalD, m_graph.GetVideoStandard()) << "the tuner keeps its own";
    m_graph.SelectSource(CTVGraph::kComposite);
    EXPECT_EQ(AnalogVideo_PAL_B, TVFormat());
}

} // namespace
