// The MPEG encoder wrapper over the encoder stand-in registered in the prefix: presets, the
// order and values in which a preset reaches the encoder, and the interfaces it needs.
#include "MpegEncoderFilter.h"
#include "SimLogTail.h"
#include "SimSwitch.h"
#include "StaTest.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
typedef BOOL (*PresetFunction)(MpegEncoderPreset*, BOOL);

struct PresetCase
{
    const char* name;
    PresetFunction fill;
    BOOL frames25;
    int type, word2, word3, width, height, word11;
    double bitRate;
};

const PresetCase kPresets[] = {
    // name          function     25fps type w2 w3 width height w11 bitRate
    {"Mpeg1 PAL", PresetMpeg1, TRUE, 0, 0, 2, 352, 288, 2, 4500000},
    {"Mpeg1 NTSC", PresetMpeg1, FALSE, 0, 0, 2, 352, 240, 2, 4500000},
    {"Mpeg2 PAL", PresetMpeg2, TRUE, 2, 1, 2, 720, 576, 2, 4500000},
    {"VCD PAL", PresetVcd, TRUE, 1, 0, 1, 352, 288, 2, 1150000},
    {"SVCD PAL", PresetSvcd, TRUE, 3, 1, 1, 480, 576, 2, 2200000},
    {"SVCD NTSC", PresetSvcd, FALSE, 3, 1, 1, 480, 480, 2, 2200000},
    {"DVD NTSC", PresetDvd, FALSE, 4, 1, 1, 720, 480, 4, 4500000},
    {"HIDVD PAL", PresetHiDvd, TRUE, 4, 1, 1, 720, 576, 4, 7200000},
};

int Get32(const BYTE* record, int offset)
{
    int v;
    memcpy(&v, record + offset, 4);
    return v;
}

double GetDouble(const BYTE* record, int offset)
{
    double v;
    memcpy(&v, record + offset, 8);
    return v;
}

class MpegEncoderFilterTest : public StaTest
{
protected:
    std::unique_ptr<CMpegEncoderFilter> MakeEncoder()
    {
        return std::unique_ptr<CMpegEncoderFilter>(new CMpegEncoderFilter(nullptr, CLSID_MpegEncoder));
    }
};
}

TEST(MpegEncoderPresetTest, PresetsHoldTheirFormatsValues)
{
    for (const PresetCase& c : kPresets) {
        MpegEncoderPreset p;
        memset(&p, 0xCC, sizeof(p));
        ASSERT_TRUE(c.fill(&p, c.frames25)) << c.name;
        EXPECT_EQ(c.type, p.streamType) << c.name;
        EXPECT_EQ(c.frames25, p.frames25) << c.name;
        EXPECT_EQ(c.word2, p.word2) << c.name;
        EXPECT_EQ(c.word3, p.videoBits) << c.name;
        EXPECT_EQ(c.bitRate, p.bitRate) << c.name;
        EXPECT_EQ(9800000.0, p.maxBitRate) << c.name;
        EXPECT_EQ(c.width, p.width) << c.name;
        EXPECT_EQ(c.height, p.height) << c.name;
        EXPECT_EQ(11, p.audioRateIndex) << c.name;
        EXPECT_EQ(c.word11, p.word11) << c.name;
        // The low halves of the two doubles are zero in every preset.
        const DWORD* words = reinterpret_cast<const DWORD*>(&p);
        EXPECT_EQ(0u, words[4]) << c.name;
        EXPECT_EQ(0u, words[6]) << c.name;
        EXPECT_FALSE(c.fill(nullptr, c.frames25)) << c.name;
    }
}

TEST_F(MpegEncoderFilterTest, PresetReachesTheEncoderInOrderWithItsValues)
{
    struct Expected
    {
        PresetFunction fill;
        BOOL frames25;
        int word3; // as the graph engine sets it
        const char* lines[8];
    };
    const Expected cases[] = {
        {PresetMpeg1, TRUE, 2,
         {"V defaults type=0 b25=1", "V set type=0 w=352 h=288 rate=4500000 max=9800000 f48=0 bits812=05",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=0", "A set idx=11 ch=2 rate=0 crc=0", "M preset=0"}},
        {PresetMpeg2, FALSE, 1,
         {"V defaults type=2 b25=0", "V set type=2 w=720 h=480 rate=4500000 max=9800000 f48=0 bits812=03",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=2", "A set idx=11 ch=2 rate=0 crc=0", "M preset=2"}},
        {PresetVcd, TRUE, 2,
         {"V defaults type=1 b25=1", "V set type=1 w=352 h=288 rate=1150000 max=9800000 f48=1 bits812=05",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=1", "A set idx=11 ch=2 rate=0 crc=0", "M preset=1"}},
        {PresetSvcd, TRUE, 1,
         {"V defaults type=3 b25=1", "V set type=3 w=480 h=576 rate=2200000 max=9800000 f48=0 bits812=03",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=3", "A set idx=11 ch=2 rate=0 crc=0", "M preset=3"}},
        {PresetDvd, TRUE, 1,
         {"V defaults type=4 b25=1", "V set type=4 w=720 h=576 rate=4500000 max=9800000 f48=0 bits812=03",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=4", "A set idx=11 ch=2 rate=0 crc=0", "M preset=4"}},
        {PresetHiDvd, TRUE, 1,
         {"V defaults type=4 b25=1", "V set type=4 w=720 h=576 rate=7200000 max=9800000 f48=0 bits812=03",
          "P V97=0", "P V96=1", "P A96=1", "A defaults type=4", "A set idx=11 ch=2 rate=0 crc=0", "M preset=4"}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        const Expected& c = cases[i];
        std::unique_ptr<CMpegEncoderFilter> encoder = MakeEncoder();
        ASSERT_TRUE(encoder->IsValid()) << "case " << i;
        MpegEncoderPreset preset;
        ASSERT_TRUE(c.fill(&preset, c.frames25));
        preset.videoBits = c.word3;
        SimLogTail log("mpegenc");
        ASSERT_TRUE(encoder->ApplyPreset(&preset)) << "case " << i;

        std::vector<std::string> lines = log.Lines();
        ASSERT_EQ(8u, lines.size()) << "case " << i;
        for (size_t l = 0; l < 8; ++l)
            EXPECT_EQ(c.lines[l], lines[l]) << "case " << i << " line " << l;

        BYTE video[CMpegEncoderFilter::kVideoRecordSize];
        ASSERT_TRUE(encoder->GetVideoSettings(video));
        EXPECT_EQ(preset.width, Get32(video, 408)) << "case " << i;
        EXPECT_EQ(preset.height, Get32(video, 412)) << "case " << i;
        EXPECT_EQ(preset.bitRate, GetDouble(video, 64)) << "case " << i;
        EXPECT_EQ(preset.bitRate, GetDouble(video, 821)) << "case " << i;
        EXPECT_EQ(9800000.0, GetDouble(video, 72)) << "case " << i;
        BYTE audio[CMpegEncoderFilter::kAudioRecordSize];
        ASSERT_TRUE(encoder->GetAudioSettings(audio));
        EXPECT_EQ(11, Get32(audio, 12));
        EXPECT_EQ(2, Get32(audio, 4));
        int muxType = -1;
        ASSERT_TRUE(encoder->GetMuxType(&muxType));
        EXPECT_EQ(preset.streamType, muxType);
    }
}

TEST_F(MpegEncoderFilterTest, OtherBitsOfByte812SurviveTheWordThree)
{
    std::unique_ptr<CMpegEncoderFilter> encoder = MakeEncoder();
    ASSERT_TRUE(encoder->IsValid());
    BYTE video[CMpegEncoderFilter::kVideoRecordSize];
    ASSERT_TRUE(encoder->GetVideoSettings(video));
    video[812] = 0xFF;
    ASSERT_TRUE(encoder->SetVideoSettings(video));
    // value, byte 812 after it (bits 0 and 5-7 kept; a value above 15 reaches bit 5 and up)
    const int cases[][2] = {{0, 0xE1}, {1, 0xE3}, {9, 0xF3}, {15, 0xFF}, {16, 0xE1}, {17, 0xE3}};
    for (const auto& c : cases) {
        ASSERT_TRUE(encoder->SetVideoRecordBits(c[0])) << c[0];
        ASSERT_TRUE(encoder->GetVideoSettings(video));
        EXPECT_EQ(c[1], video[812]) << "value " << c[0];
    }
}

TEST_F(MpegEncoderFilterTest, EncoderWithoutAnyOneInterfaceGivesAnInvalidWrapper)
{
    const char* names[] = {"IMpegAudioEncoder", "IMpegAudioParams", "IMpegMuxSettings",
                           "IFileSinkFilter", "IMpegVideoEncoder", "IMpegVideoParams"};
    for (const char* name : names) {
        SimSwitch omit("mpegenc", "Omit", name);
        std::unique_ptr<CMpegEncoderFilter> encoder = MakeEncoder();
        EXPECT_FALSE(encoder->IsValid()) << name;
        EXPECT_NE(nullptr, encoder->GetFilter()) << name;
        MpegEncoderPreset preset;
        PresetDvd(&preset, TRUE);
        if (strcmp(name, "IMpegVideoEncoder") == 0) {
            EXPECT_FALSE(encoder->ApplyPreset(&preset));
        }
    }
    EXPECT_TRUE(MakeEncoder()->IsValid());
}

TEST_F(MpegEncoderFilterTest, FileNameRoundTripsThroughABufferOfItsSize)
{
    std::unique_ptr<CMpegEncoderFilter> encoder = MakeEncoder();
    ASSERT_TRUE(encoder->IsValid());
    const char name[] = "C:\\Video\\20240505-200000.mpg";
    ASSERT_TRUE(encoder->SetFileName(name));
    char buffer[64];
    ASSERT_TRUE(encoder->GetFileName(buffer, sizeof(buffer)));
    EXPECT_STREQ(name, buffer);
    char small[8];
    memset(small, 'x', sizeof(small));
    EXPECT_FALSE(encoder->GetFileName(small, sizeof(small)));
    EXPECT_EQ('\0', small[0]);
    EXPECT_FALSE(encoder->ApplyPreset(nullptr));
}

TEST_F(MpegEncoderFilterTest, ApplyPresetStopsAtTheFirstFailingStepAndKeepsWhatWasSet)
{
    struct Case
    {
        const char* fail;
        size_t lines;         // the log lines of the steps made, the failing one last
        double videoRateAfter; // the video record keeps a video record already set
    };
    const Case cases[] = {
        {"GetVideoPresetDefaults=0x80004005", 1, 4500000},
        {"SetVideoRecord=0x80004005", 2, 4500000},
        {"SetVideoParam=0x80004005", 3, 7200000},
        {"SetAudioParam=0x80004005", 5, 7200000},
        {"SetAudioRecord=0x80004005", 7, 7200000},
        {"LoadMuxPreset=0x80004005", 8, 7200000},
    };
    for (const Case& c : cases) {
        SimSwitch fail("mpegenc", "Fail", c.fail);
        std::unique_ptr<CMpegEncoderFilter> encoder = MakeEncoder();
        ASSERT_TRUE(encoder->IsValid()) << c.fail;
        MpegEncoderPreset preset;
        PresetHiDvd(&preset, TRUE);
        SimLogTail log("mpegenc");
        EXPECT_FALSE(encoder->ApplyPreset(&preset)) << c.fail;
        std::vector<std::string> lines = log.Lines();
        ASSERT_EQ(c.lines, lines.size()) << c.fail;
        EXPECT_EQ(0u, lines.back().find("! fail ")) << c.fail;
        BYTE video[CMpegEncoderFilter::kVideoRecordSize];
        ASSERT_TRUE(encoder->GetVideoSettings(video));
        EXPECT_EQ(c.videoRateAfter, GetDouble(video, 64)) << c.fail;
    }
}
