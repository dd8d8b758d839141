// The snap-picture and still-capture wrappers on their filters in the card's video path.
#include "CodecClassIds.h"
#include "SnapPictureFilter.h"
#include "StandInGraph.h"
#include "StillCaptureFilter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
const LONG WIDTH = 320;
const LONG HEIGHT = 240;
const size_t BMP_BYTES = 54 + WIDTH * HEIGHT * 3;

DWORD BitmapId(const std::string& file)
{
    return ReadIdWordBgr(reinterpret_cast<const BYTE*>(file.data()) + 54, WIDTH, HEIGHT, WIDTH * 3, true);
}

class SnapStillWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr));
        snap.reset(new CSnapPictureFilter(nullptr, CLSID_QuorvexSnapPicture));
        still.reset(new CStillCaptureFilter(nullptr, CLSID_IviStillCapture));
        graph.reset(new StandInGraph);
        ASSERT_TRUE(snap->IsValid());
        ASSERT_TRUE(still->IsValid());
        ASSERT_EQ(S_OK, graph->AddCard(WIDTH, HEIGHT));
        ASSERT_EQ(S_OK, graph->Add(snap->GetFilter(), L"Snap Picture"));
        ASSERT_EQ(S_OK, graph->Add(still->GetFilter(), L"Still Capture"));
        ASSERT_EQ(S_OK, graph->Connect(graph->Capture(), L"Capture", snap->GetFilter(), L"Input"));
        ASSERT_EQ(S_OK, graph->Connect(snap->GetFilter(), L"Output", still->GetFilter(), L"Input"));
        ASSERT_EQ(S_OK, graph->Grab(still->GetFilter(), L"Output", &shown));
    }
    void TearDown() override
    {
        graph.reset();
        still.reset();
        snap.reset();
        CoUninitialize();
    }

    SampleCollector shown;
    std::unique_ptr<CSnapPictureFilter> snap;
    std::unique_ptr<CStillCaptureFilter> still;
    std::unique_ptr<StandInGraph> graph;
};
}

TEST_F(SnapStillWrapperTest, SnapRequestsWriteTheNextPicture)
{
    TempFolder folder;
    EXPECT_FALSE(snap->TakePicture(1, folder.FilePath("early.bmp").c_str(), 80));
    ASSERT_EQ(S_OK, graph->Run());
    ASSERT_TRUE(shown.WaitForNext(1));

    ASSERT_TRUE(snap->TakePicture(1, folder.FilePath("a.bmp").c_str(), 80));
    std::string bmp = folder.Read("a.bmp");
    ASSERT_EQ(BMP_BYTES, bmp.size());
    EXPECT_EQ(StandInGraph::STATION_ID, BitmapId(bmp));
    ASSERT_TRUE(snap->TakePicture(2, folder.FilePath("a.jpg").c_str(), 150));
    EXPECT_EQ("\xFF\xD8\xFF", folder.Read("a.jpg").substr(0, 3));
    // Kind 5 goes out as 0, which the filter refuses.
    EXPECT_FALSE(snap->TakePicture(5, folder.FilePath("b.bmp").c_str(), 80));
}

TEST_F(SnapStillWrapperTest, StillBitmapIsTheCurrentPicture)
{
    TempFolder folder;
    LONG value = 0;
    ASSERT_TRUE(still->SetParam(1537, 5));
    ASSERT_TRUE(still->GetParam(1537, &value));
    EXPECT_EQ(5, value);
    EXPECT_FALSE(still->SaveBitmap(folder.FilePath("none.bmp").c_str())) << "no picture yet";

    ASSERT_EQ(S_OK, graph->Run());
    ASSERT_TRUE(shown.WaitForNext(2));
    ASSERT_TRUE(still->GetPictureSize(&value));
    EXPECT_EQ(40 + WIDTH * HEIGHT * 3, value);
    ASSERT_TRUE(still->SaveBitmap(folder.FilePath("still.bmp").c_str()));
    std::string bmp = folder.Read("still.bmp");
    ASSERT_EQ(BMP_BYTES, bmp.size());
    EXPECT_EQ(BMP_BYTES, *reinterpret_cast<const DWORD*>(bmp.data() + 2));
    EXPECT_EQ(StandInGraph::STATION_ID, BitmapId(bmp));
}
