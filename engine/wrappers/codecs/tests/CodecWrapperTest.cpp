// The wrappers against a fake filter that writes down what reaches it: request records,
// parameter order and the calls a wrapper must not make.
#include "ClassOverride.h"
#include "CodecClassIds.h"
#include "DeinterlaceFilter.h"
#include "DownScaleFilter.h"
#include "FakeCodecFilter.h"
#include "IviAudioEncoderFilter.h"
#include "IviMuxFilter.h"
#include "IviVideoEncoderFilter.h"
#include "SnapPictureFilter.h"
#include "StillCaptureFilter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

namespace
{
typedef std::vector<std::string> Calls;

DWORD Word(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD value = 0;
    memcpy(&value, bytes.data() + offset, 4);
    return value;
}

// A fake made for one class; CoCreateInstance of that class yields it while the test runs.
class CodecWrapperTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitialize(nullptr)); }
    void TearDown() override
    {
        override_.reset();
        if (fake != nullptr)
            fake->InnerRelease();
        CoUninitialize();
    }

    void Fake(REFCLSID clsid)
    {
        fake = new FakeCodecFilter(clsid);
        override_.reset(new ClassOverride(clsid, fake->InnerUnknown()));
        ASSERT_TRUE(override_->Registered());
    }

    FakeCodecFilter* fake = nullptr;
    std::unique_ptr<ClassOverride> override_;
};
}

TEST_F(CodecWrapperTest, SnapRequestCarriesTheKindAndClampedQuality)
{
    Fake(CLSID_QuorvexSnapPicture);
    CSnapPictureFilter snap(nullptr, CLSID_QuorvexSnapPicture);
    ASSERT_TRUE(snap.IsValid());
    struct Case
    {
        int kind, quality;
        DWORD sentKind, sentQuality;
    };
    const Case cases[] = {
        { 1, 80, 1, 80 }, { 2, 150, 2, 100 }, { 5, -3, 0, 0 }, { 0, 100, 0, 100 },
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        fake->lastRequest.clear();
        ASSERT_TRUE(snap.TakePicture(cases[i].kind, "C:\\snap\\a.jpg", cases[i].quality)) << i;
        ASSERT_EQ(272u, fake->lastRequest.size()) << i;
        EXPECT_EQ(272u, Word(fake->lastRequest, 0)) << i;
        EXPECT_EQ(cases[i].sentKind, Word(fake->lastRequest, 4)) << i;
        EXPECT_STREQ("C:\\snap\\a.jpg", reinterpret_cast<const char*>(&fake->lastRequest[8])) << i;
        EXPECT_EQ(0, fake->lastRequest[267]) << i;
        EXPECT_EQ(cases[i].sentQuality, Word(fake->lastRequest, 268)) << i;
    }
    EXPECT_EQ(Calls(4, "TakePicture 1"), fake->calls);
}

TEST_F(CodecWrapperTest, SnapRefusesKindThreeAnEmptyPathAndOneTooLong)
{
    Fake(CLSID_QuorvexSnapPicture);
    CSnapPictureFilter snap(nullptr, CLSID_QuorvexSnapPicture);
    EXPECT_FALSE(snap.TakePicture(3, "C:\\a.bmp", 80));
    EXPECT_FALSE(snap.TakePicture(1, "", 80));
    EXPECT_FALSE(snap.TakePicture(1, std::string(260, 'a').c_str(), 80));
    EXPECT_TRUE(snap.TakePicture(1, std::string(259, 'a').c_str(), 80));
    EXPECT_EQ(Calls(1, "TakePicture 1"), fake->calls);
}

TEST_F(CodecWrapperTest, DeinterlaceStrengthOutOfRangeCallsNothingAndZeroEndsNoiseReduction)
{
    Fake(CLSID_QuorvexDeinterlace);
    CDeinterlaceFilter deinterlace(nullptr, CLSID_QuorvexDeinterlace);
    ASSERT_TRUE(deinterlace.IsValid());
    EXPECT_FALSE(deinterlace.SetReduceValue(11));
    EXPECT_FALSE(deinterlace.SetReduceValue(-1));
    EXPECT_TRUE(fake->calls.empty());
    EXPECT_TRUE(deinterlace.SetReduceValue(6));
    EXPECT_TRUE(deinterlace.SetReduceValue(0));
    EXPECT_EQ((Calls{ "SetReduceValue 6", "SetReduceValue 0", "SetNoiseReduce 0" }), fake->calls);

    fake->calls.clear();
    BOOL on = FALSE, half = TRUE;
    EXPECT_TRUE(deinterlace.GetNoiseReduce(&on));
    EXPECT_TRUE(deinterlace.GetHalfRate(&half));
    EXPECT_TRUE(on);
    EXPECT_FALSE(half);
    EXPECT_TRUE(deinterlace.SetHalfRate(TRUE));
    EXPECT_TRUE(deinterlace.SetSmallFrame(FALSE));
    EXPECT_FALSE(deinterlace.SaveSnapshot(nullptr, 1, 80));
    EXPECT_TRUE(deinterlace.SaveSnapshot("C:\\snap\\b.bmp", 1, 80));
    EXPECT_EQ((Calls{ "GetNoiseReduce", "GetHalfRate", "SetHalfRate 65535", "SetSmallFrame 0",
                      "SaveSnapshot C:\\snap\\b.bmp 1 80" }),
              fake->calls);
}

TEST_F(CodecWrapperTest, DeinterlaceWithoutItsInterfaceIsInvalid)
{
    Fake(CLSID_QuorvexDeinterlace);
    fake->offered = { IID_ISnapPicture };
    CDeinterlaceFilter deinterlace(nullptr, CLSID_QuorvexDeinterlace);
    EXPECT_FALSE(deinterlace.IsValid());
}

TEST_F(CodecWrapperTest, StillCaptureBitmapIsTheFiltersDibBehindAFileHeader)
{
    Fake(CLSID_IviStillCapture);
    CStillCaptureFilter still(nullptr, CLSID_IviStillCapture);
    ASSERT_TRUE(still.IsValid());
    TempFolder folder;

    fake->pictureBytes = 0;
    EXPECT_FALSE(still.SaveBitmap(folder.FilePath("none.bmp").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.FilePath("none.bmp").c_str()));

    fake->pictureBytes = 921640;
    ASSERT_TRUE(still.SaveBitmap(folder.FilePath("still.bmp").c_str()));
    std::string file = folder.Read("still.bmp");
    // 14 header bytes before the 921640-byte DIB, and the size field says so.
    ASSERT_EQ(921654u, file.size());
    EXPECT_EQ("BM", file.substr(0, 2));
    EXPECT_EQ(921654u, *reinterpret_cast<const DWORD*>(file.data() + 2));
    EXPECT_EQ(0u, *reinterpret_cast<const DWORD*>(file.data() + 6));
    EXPECT_EQ(54u, *reinterpret_cast<const DWORD*>(file.data() + 10));
    EXPECT_EQ(std::string(921640, '\x5A'), file.substr(14));

    EXPECT_TRUE(still.SetParam(1537, 5));
    EXPECT_EQ("Set 1537=5", fake->calls.back());
}

TEST_F(CodecWrapperTest, FmPresetsReachTheEncoderAndMultiplexerInOrder)
{
    Fake(CLSID_IviAudioEncoder);
    CIviAudioEncoderFilter audio(nullptr, CLSID_IviAudioEncoder);
    ASSERT_TRUE(audio.IsValid());
    LONG words[CIviAudioEncoderFilter::kWords];
    IviAudioPreset44k(words);
    ASSERT_TRUE(audio.SetAudioSettings(words));
    EXPECT_EQ((Calls{ "Set 258=224", "Set 261=44100", "Set 264=1", "Set 260=100", "Set 259=0", "Set 257=2" }),
              fake->calls);

    fake->calls.clear();
    CIviMuxFilter mux(nullptr, CLSID_IviAudioEncoder);
    ASSERT_TRUE(mux.IsValid());
    EXPECT_TRUE(mux.HasDynamicPins());
    IviMuxPresetVcd(words);
    ASSERT_TRUE(mux.SetMuxSettings(words));
    EXPECT_EQ((Calls{ "Set 515=2", "Set 513=2324", "Set 514=1", "Set 517=1", "Set 516=1", "Set 518=0" }),
              fake->calls);
}

TEST_F(CodecWrapperTest, VideoPresetsAndTheirParameterOrder)
{
    LONG words[CIviVideoEncoderFilter::kWords];
    EXPECT_FALSE(IviVideoPresetDvd(3, FALSE, words));
    ASSERT_TRUE(IviVideoPresetDvd(2, TRUE, words));
    EXPECT_EQ(7200, words[6]);
    EXPECT_EQ(480, words[5]);

    Fake(CLSID_IviVideoEncoder);
    CIviVideoEncoderFilter video(nullptr, CLSID_IviVideoEncoder);
    ASSERT_TRUE(IviVideoPresetVcd(1, words));
    ASSERT_TRUE(video.SetVideoSettings(words));
    EXPECT_EQ((Calls{ "Set 5=3", "Set 7=1", "Set 8=0", "Set 13=16", "Set 14=16", "Set 11=12", "Set 12=3",
                      "Set 9=1120", "Set 6=2", "Set 18=0", "Set 3=352", "Set 4=288", "Set 10=1", "Set 16=2",
                      "Set 17=9800", "Set 19=112", "Set 20=1" }),
              fake->calls);
}

TEST_F(CodecWrapperTest, DownScaleSetsBothDirections)
{
    Fake(CLSID_IviDownScale);
    CDownScaleFilter scale(nullptr, CLSID_IviDownScale);
    ASSERT_TRUE(scale.IsValid());
    ASSERT_TRUE(scale.SetScale(TRUE, FALSE));
    EXPECT_EQ((Calls{ "Set 1792=1", "Set 1793=0" }), fake->calls);
}
