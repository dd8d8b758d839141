// The deinterlace wrapper over the simulated card: its switches reach the maker's filter,
// whose picture changes, and its snapshots hold the picture shown.
#include "CodecClassIds.h"
#include "DeinterlaceFilter.h"
#include "HelperProcess.h"
#include "StandInGraph.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
const LONG WIDTH = 320;
const LONG HEIGHT = 240;
// The last row of the card's ID band: odd, so it is rebuilt unless high quality keeps it.
const LONG SEAM_ROW = HEIGHT / 8 - 1;

BYTE LumaAt(const GrabbedSample& picture, LONG row, LONG x)
{
    return picture.bytes[((size_t)row * WIDTH + x) * 2];
}

int RebuiltPixels(const GrabbedSample& picture)
{
    int rebuilt = 0;
    for (LONG x = 0; x < WIDTH; ++x)
        rebuilt += LumaAt(picture, SEAM_ROW, x) != LumaAt(picture, SEAM_ROW - 1, x);
    return rebuilt;
}

// The card, the deinterlace filter as the engine wraps it, and its preview picture.
struct WrappedDeinterlace
{
    HRESULT Build()
    {
        if (!wrapper.IsValid())
            return E_NOINTERFACE;
        HRESULT hr = graph.AddCard(WIDTH, HEIGHT);
        if (SUCCEEDED(hr))
            hr = graph.Add(wrapper.GetFilter(), L"Quorvex Deinterlace");
        if (SUCCEEDED(hr))
            hr = graph.Connect(graph.Capture(), L"Capture", wrapper.GetFilter(), L"Input");
        if (SUCCEEDED(hr))
            hr = graph.Grab(wrapper.GetFilter(), L"Preview", &preview);
        return hr;
    }

    SampleCollector preview;
    CDeinterlaceFilter wrapper{ nullptr, CLSID_QuorvexDeinterlace };
    StandInGraph graph;
};

class DeinterlaceWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
        deinterlace.reset(new WrappedDeinterlace);
        ASSERT_EQ(S_OK, deinterlace->Build());
    }
    void TearDown() override
    {
        deinterlace.reset();
        CoUninitialize();
    }

    std::unique_ptr<WrappedDeinterlace> deinterlace;
};
}

TEST_F(DeinterlaceWrapperTest, HighQualitySwitchChangesThePicture)
{
    ASSERT_EQ(S_OK, deinterlace->graph.Run());
    GrabbedSample picture;
    ASSERT_TRUE(deinterlace->wrapper.SetHighQuality(FALSE));
    ASSERT_TRUE(deinterlace->preview.WaitForNext(2, &picture));
    EXPECT_GT(RebuiltPixels(picture), 0);

    ASSERT_TRUE(deinterlace->wrapper.SetHighQuality(TRUE));
    ASSERT_TRUE(deinterlace->preview.WaitForNext(2, &picture));
    EXPECT_EQ(0, RebuiltPixels(picture));
    int on = 0;
    EXPECT_TRUE(deinterlace->wrapper.GetHighQuality(&on));
    EXPECT_EQ(1, on);
}

TEST_F(DeinterlaceWrapperTest, FullRateDoublesThePictures)
{
    ASSERT_TRUE(deinterlace->wrapper.SetHalfRate(FALSE));
    ASSERT_EQ(S_OK, deinterlace->graph.Run());
    GrabbedSample picture;
    ASSERT_TRUE(deinterlace->preview.WaitForNext(4, &picture));
    EXPECT_EQ(200000, picture.stop - picture.start);
    BOOL half = TRUE;
    EXPECT_TRUE(deinterlace->wrapper.GetHalfRate(&half));
    EXPECT_FALSE(half);
}

TEST_F(DeinterlaceWrapperTest, SnapshotsOfThePictureShown)
{
    TempFolder folder;
    EXPECT_FALSE(deinterlace->wrapper.SaveSnapshot(folder.FilePath("early.bmp").c_str(), 1, 80));
    ASSERT_EQ(S_OK, deinterlace->graph.Run());
    ASSERT_TRUE(deinterlace->preview.WaitForNext(1));

    ASSERT_TRUE(deinterlace->wrapper.SaveSnapshot(folder.FilePath("a.bmp").c_str(), 1, 80));
    std::string bmp = folder.Read("a.bmp");
    ASSERT_EQ(54u + WIDTH * HEIGHT * 3, bmp.size());
    EXPECT_EQ(StandInGraph::STATION_ID,
              ReadIdWordBgr(reinterpret_cast<const BYTE*>(bmp.data()) + 54, WIDTH, HEIGHT, WIDTH * 3, true));

    ASSERT_TRUE(deinterlace->wrapper.SaveSnapshot(folder.FilePath("a.jpg").c_str(), 2, 80));
    EXPECT_EQ("\xFF\xD8\xFF", folder.Read("a.jpg").substr(0, 3));
    EXPECT_FALSE(deinterlace->wrapper.SaveSnapshot(folder.FilePath("a.gif").c_str(), 3, 80));
}

// For the shell test: the wrapper's snapshots into the folder given, for tools outside Wine.
SUITE_HELPER(WriteSnapshots)
{
    if (args.size() != 1 || FAILED(CoInitialize(nullptr)))
        return 2;
    int result = 1;
    {
        WrappedDeinterlace deinterlace;
        std::string folder = args[0];
        if (SUCCEEDED(deinterlace.Build()) && SUCCEEDED(deinterlace.graph.Run()) &&
            deinterlace.preview.WaitForNext(2) &&
            deinterlace.wrapper.SaveSnapshot((folder + "\\snap.bmp").c_str(), 1, 80) &&
            deinterlace.wrapper.SaveSnapshot((folder + "\\snap.jpg").c_str(), 2, 80))
            result = 0;
    }
    CoUninitialize();
    return result;
}
