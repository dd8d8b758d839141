// The time-shift, demultiplexer and decoder wrappers over their stand-ins in the prefix.
#include "Mpeg2DemuxFilter.h"
#include "MpegAudioDecoderFilter.h"
#include "MpegVideoDecoderFilter.h"
#include "SimLogTail.h"
#include "SimSwitch.h"
#include "StaTest.h"
#include "TimeShiftFilter.h"

#include <dvdmedia.h>
#include <mmreg.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
typedef StaTest TimeShiftWrappersTest;

std::string Repeat(char c, size_t n)
{
    return std::string(n, c);
}
}

TEST(TimeShiftIndexPathTest, IndexFileIsNamedFromTheLastDot)
{
    struct Case
    {
        std::string data;
        BOOL ok;
        std::string index;
    };
    const Case cases[] = {
        {"D:\\Video\\20051224-201500.mpg", TRUE, "D:\\Video\\20051224-201500.idx"},
        {"E:\\TS\\a.b.mpg", TRUE, "E:\\TS\\a.b.idx"},
        {"C:\\timeshift", FALSE, ""},
        {"C:\\" + Repeat('a', 252) + ".mpg", TRUE, "C:\\" + Repeat('a', 252) + ".idx"}, // 259 characters
        {"C:\\" + Repeat('a', 253) + ".mpg", FALSE, ""},                               // 260 would not fit
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        char index[MAX_PATH] = "";
        EXPECT_EQ(cases[i].ok, CTimeShiftFilter::IndexPathOf(cases[i].data.c_str(), index, sizeof(index))) << i;
        if (cases[i].ok) {
            EXPECT_EQ(cases[i].index, index) << i;
        }
    }
}

TEST_F(TimeShiftWrappersTest, TimeShiftCallsReachTheFilter)
{
    CTimeShiftFilter timeShift(nullptr, CLSID_TimeShift);
    ASSERT_TRUE(timeShift.IsValid());
    SimLogTail log("timeshift");
    EXPECT_TRUE(timeShift.SetTimeShiftFile("C:\\sim\\out\\E.b\\x.mpg"));
    EXPECT_FALSE(timeShift.SetTimeShiftFile("C:\\sim\\out\\noextension"));
    LONGLONG size = 316800000;
    EXPECT_TRUE(timeShift.SetBufferSize(&size, 0));
    EXPECT_TRUE(timeShift.TogglePause());
    EXPECT_TRUE(timeShift.TogglePause());
    LONGLONG total = -1, available = -1, current = -1;
    EXPECT_TRUE(timeShift.GetPosition(&total, &available, &current));
    EXPECT_EQ(316800000, total);
    EXPECT_EQ(0, available);
    EXPECT_EQ(0, current);
    LONGLONG zero = 0;
    EXPECT_FALSE(timeShift.SetBufferSize(&zero, 0));
    std::vector<std::string> expected = {"F C:\\sim\\out\\E.b\\x.mpg C:\\sim\\out\\E.b\\x.idx",
                                         "B size=316800000 reserve=0", "T pause", "T run"};
    EXPECT_EQ(expected, log.Lines());
}

TEST_F(TimeShiftWrappersTest, DemultiplexerPinsAreMadeAndMapped)
{
    CMpeg2DemuxFilter demux(nullptr, CLSID_Mpeg2Demultiplexer);
    ASSERT_TRUE(demux.IsValid());
    EXPECT_TRUE(demux.HasDynamicPins());
    SimLogTail log("demux");
    ASSERT_TRUE(demux.CreateOutputPin("Video", FALSE));
    ASSERT_TRUE(demux.CreateOutputPin("Audio", TRUE));
    EXPECT_FALSE(demux.CreateOutputPin("Video", TRUE)) << "a name in use";
    ASSERT_NE(nullptr, demux.FindPin("Video"));
    ASSERT_NE(nullptr, demux.FindPin("Audio"));
    EXPECT_TRUE(demux.MapStreamId("Video", FALSE));
    EXPECT_TRUE(demux.MapStreamId("Audio", TRUE));
    EXPECT_FALSE(demux.MapStreamId("video", FALSE)) << "names are compared whole and case-sensitively";

    std::vector<std::string> expected = {"P create Video MPEG2_VIDEO fmt=218", "P create Audio MPEG2_AUDIO fmt=40",
                                         "P map Video E0 1 sub=0 offset=0", "P map Audio C0 1 sub=0 offset=0"};
    EXPECT_EQ(expected, log.Lines());

    AM_MEDIA_TYPE type;
    CMpeg2DemuxFilter::GetPinMediaType(FALSE, &type);
    const MPEG2VIDEOINFO* video = reinterpret_cast<const MPEG2VIDEOINFO*>(type.pbFormat);
    EXPECT_EQ(720, video->hdr.bmiHeader.biWidth);
    EXPECT_EQ(480, video->hdr.bmiHeader.biHeight);
    EXPECT_EQ(333667, video->hdr.AvgTimePerFrame);
    EXPECT_EQ(86u, video->cbSequenceHeader);
    const BYTE* header = reinterpret_cast<const BYTE*>(video->dwSequenceHeader);
    EXPECT_EQ(0xB3, header[3]);
    EXPECT_EQ(0xB5, header[79]);
    CMpeg2DemuxFilter::GetPinMediaType(TRUE, &type);
    const MPEG1WAVEFORMAT* audio = reinterpret_cast<const MPEG1WAVEFORMAT*>(type.pbFormat);
    EXPECT_EQ(48000u, audio->wfx.nSamplesPerSec);
    EXPECT_EQ(768, audio->wfx.nBlockAlign);
    EXPECT_EQ(256000u, audio->dwHeadBitrate);
    EXPECT_EQ(0x1C, audio->fwHeadFlags);
}

TEST_F(TimeShiftWrappersTest, DemultiplexerWithoutItsInterfaceIsInvalid)
{
    SimSwitch omit("demux", "Omit", "IMpeg2Demultiplexer");
    CMpeg2DemuxFilter demux(nullptr, CLSID_Mpeg2Demultiplexer);
    EXPECT_FALSE(demux.IsValid());
    EXPECT_FALSE(demux.CreateOutputPin("Video", FALSE));
}

TEST_F(TimeShiftWrappersTest, VideoDecoderIsLeftWithYuy2Only)
{
    SimLogTail log("mpegdec");
    CMpegVideoDecoderFilter decoder(nullptr, CLSID_MpegVideoDecoder);
    ASSERT_TRUE(decoder.IsValid());
    std::vector<std::string> expected = {"V format YUY2 1", "V format BGR4 0", "V format BGR3 0", "V format R555 0",
                                         "V format R565 0", "V format UYVY 0", "V format YV12 0", "V param 32=0"};
    EXPECT_EQ(expected, log.Lines());
    ASSERT_TRUE(decoder.SetConfigWord4(0));
    int word4 = -1;
    ASSERT_TRUE(decoder.GetConfigWord4(&word4));
    EXPECT_EQ(0, word4);
    BYTE config[CMpegVideoDecoderFilter::kConfigSize];
    ASSERT_TRUE(decoder.GetConfig(config));
    EXPECT_EQ(0x01, config[4]) << "enabled mask";
}

TEST_F(TimeShiftWrappersTest, VideoDecoderRefusingAFormatSwitchIsInvalid)
{
    SimSwitch refuse("mpegdec", "Refuse", "UYVY");
    SimLogTail log("mpegdec");
    CMpegVideoDecoderFilter decoder(nullptr, CLSID_MpegVideoDecoder);
    EXPECT_FALSE(decoder.IsValid());
    std::vector<std::string> lines = log.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("! refuse UYVY", lines.back()) << "the switches stop at the first refusal";
}

TEST_F(TimeShiftWrappersTest, AudioDecoderNeedsOnlyItsFilter)
{
    CMpegAudioDecoderFilter decoder(nullptr, CLSID_MpegAudioDecoder);
    EXPECT_TRUE(decoder.IsValid());
    EXPECT_NE(nullptr, decoder.FindPin("Audio In"));
    EXPECT_NE(nullptr, decoder.FindPin("Audio Out"));
}
