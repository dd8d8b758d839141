// The wrappers of Wine's own utility filters: the sample grabber and the file writer.
#include "CodecClassIds.h"
#include "FileWriteFilter.h"
#include "SampleGrabCallback.h"
#include "SampleGrabberFilter.h"
#include "StandInGraph.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
class UtilityWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override { CoUninitialize(); }
};
}

TEST_F(UtilityWrapperTest, GrabberTakesItsCallbackOnlyWhileUnconnected)
{
    CSampleGrabberFilter grabber(nullptr, CLSID_SampleGrabberFilter);
    ASSERT_TRUE(grabber.IsValid());
    CSampleGrabCallback first, second;
    ASSERT_TRUE(grabber.SetMediaType());
    ASSERT_TRUE(grabber.SetCallback(&first));

    StandInGraph graph;
    ASSERT_EQ(S_OK, graph.AddCard(320, 240));
    ASSERT_EQ(S_OK, graph.Add(grabber.GetFilter(), L"SampleGrabber"));
    // The card gives YUY2 only, so the grabber takes any video here.
    AM_MEDIA_TYPE any = {};
    any.majortype = MEDIATYPE_Video;
    CComRef<ISampleGrabber> control;
    ASSERT_EQ(S_OK, grabber.GetFilter()->QueryInterface(IID_ISampleGrabber, control.ReceiveVoid()));
    ASSERT_EQ(S_OK, control->SetMediaType(&any));
    ASSERT_EQ(S_OK, graph.Connect(graph.Capture(), L"Capture", grabber.GetFilter(), nullptr));
    EXPECT_FALSE(grabber.SetCallback(&second));

    EXPECT_TRUE(grabber.GrabToFile("C:\\grab\\a.bmp"));
    EXPECT_TRUE(first.IsBusy()) << "the first callback stays the grabber's";
    EXPECT_FALSE(second.IsBusy());
    EXPECT_FALSE(grabber.GrabToFile("C:\\grab\\b.bmp")) << "busy until the picture is written";
}

TEST_F(UtilityWrapperTest, FileWriterWorksWithTheSinkInterfaceAlone)
{
    CFileWriteFilter writer(nullptr, CLSID_FileWriteFilter);
    ASSERT_TRUE(writer.IsValid()) << "Wine's writer has IFileSinkFilter only";
    TempFolder folder;
    EXPECT_TRUE(writer.SetFileName(folder.FilePath("a.avi").c_str()));
    EXPECT_FALSE(writer.SetFileName(nullptr));
    char name[MAX_PATH] = "x";
    // Wine's writer does not report its file; the buffer is left empty then.
    if (!writer.GetFileName(name, sizeof(name)))
        EXPECT_STREQ("x", name);
    else
        EXPECT_EQ(folder.FilePath("a.avi"), name);
}
