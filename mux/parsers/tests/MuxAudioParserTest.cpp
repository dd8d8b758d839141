// The audio parsers over frames built here: MPEG audio layers, AC-3 in both byte orders,
// ADTS with its configuration, PCM and DVD LPCM behind their "CP" header, and the sync rule
// that holds audio back until the video starts.
#include "MuxAc3Parser.h"
#include "MuxAdtsParser.h"
#include "MuxMpegAudioParser.h"
#include "MuxPcmParser.h"
#include "ParserOutput.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace
{

typedef std::vector<uint8_t> Bytes;

// Frames of the given size: the header, then a counting pattern without any sync bytes.
Bytes Frames(const Bytes& header, int size, int count)
{
    Bytes stream;
    for (int f = 0; f < count; ++f) {
        stream.insert(stream.end(), header.begin(), header.end());
        for (int i = static_cast<int>(header.size()); i < size; ++i)
            stream.push_back(static_cast<uint8_t>(0x10 + (i + f) % 0x60));
    }
    return stream;
}

void Feed(MuxStreamParser& parser, ParserOutput& out, const Bytes& stream, int piece, LONGLONG start = 0)
{
    parser.SetOutput(out.Stream());
    for (size_t at = 0; at < stream.size(); at += piece) {
        int bytes = static_cast<int>(std::min(stream.size() - at, static_cast<size_t>(piece)));
        EXPECT_EQ(S_OK, parser.Parse(&stream[at], bytes, start));
    }
}

TEST(MuxMpegAudioParser, ThreeLayersGiveTheirFrameSizesAndDurations)
{
    const struct
    {
        Bytes header;
        int layer;
        int size;
        int rate;
        int channels;
        uint64_t second; // time of the second frame
        uint64_t third;
    } rows[] = {
        {{0xFF, 0xFF, 0xC4, 0x00}, 1, 384, 48000, 2, 216000, 432000},   // layer I, 384 kbit/s
        {{0xFF, 0xFD, 0xA4, 0x00}, 2, 576, 48000, 2, 648000, 1296000},  // layer II, 192 kbit/s
        {{0xFF, 0xFB, 0x90, 0xC0}, 3, 417, 44100, 1, 705307, 1410613},  // layer III, 128 kbit/s, mono
        {{0xFF, 0xFB, 0x92, 0x00}, 3, 418, 44100, 2, 705307, 1410613},  // padded
        {{0xFF, 0xFD, 0x48, 0x00}, 2, 288, 32000, 2, 972000, 1944000},  // 64 kbit/s at 32 kHz
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const auto& row = rows[i];
        MuxMpegAudioParser parser;
        parser.Reset();
        ParserOutput out;
        Bytes stream = Frames(row.header, row.size, 3);
        Feed(parser, out, stream, 100);
        auto units = out.AudioUnits();
        ASSERT_EQ(3u, units.size()) << i;
        EXPECT_EQ(row.layer, parser.Layer()) << i;
        EXPECT_EQ(row.rate, parser.SampleRate()) << i;
        EXPECT_EQ(row.channels, parser.Channels()) << i;
        EXPECT_EQ(static_cast<uint32_t>(row.size), units[0].size) << i;
        EXPECT_EQ(MUX_CODEC_MPEG_AUDIO, units[0].codec) << i;
        EXPECT_EQ(0u, units[0].time) << i;
        EXPECT_EQ(row.second, units[1].time) << i;
        EXPECT_EQ(row.third, units[2].time) << i;
        EXPECT_EQ(stream, out.bytes) << i;
    }
}

TEST(MuxMpegAudioParser, RefusedHeadersAreSkippedAsNoise)
{
    // MPEG-2 (no MPEG-1 bit), layer 0, sampling index 3, bit-rate index 15, free format
    const Bytes refused[] = {{0xFF, 0xF5, 0xA4, 0x00}, {0xFF, 0xF9, 0xA4, 0x00}, {0xFF, 0xFD, 0xAC, 0x00},
                             {0xFF, 0xFD, 0xF4, 0x00}, {0xFF, 0xFD, 0x04, 0x00}};
    Bytes good = Frames({0xFF, 0xFD, 0xA4, 0x00}, 576, 1);
    for (size_t i = 0; i < sizeof(refused) / sizeof(refused[0]); ++i) {
        MuxMpegAudioParser parser;
        parser.Reset();
        ParserOutput out;
        Bytes stream = refused[i];
        stream.insert(stream.end(), {0x11, 0x22});
        stream.insert(stream.end(), good.begin(), good.end());
        Feed(parser, out, stream, static_cast<int>(stream.size()));
        ASSERT_EQ(1u, out.AudioUnits().size()) << i;
        EXPECT_EQ(good, out.bytes) << i;
    }
}

Bytes Swapped(const Bytes& data)
{
    Bytes swapped = data;
    for (size_t i = 0; i + 1 < swapped.size(); i += 2)
        std::swap(swapped[i], swapped[i + 1]);
    return swapped;
}

TEST(MuxAc3Parser, EitherByteOrderGivesTheSameFramesInStandardOrder)
{
    const struct
    {
        Bytes header;
        int size;
        int rate;
        int channels;
        uint64_t second;
    } rows[] = {
        {{0x0B, 0x77, 0x00, 0x00, 0x14, 0x08, 0x40, 0x00}, 768, 48000, 2, 864000},   // 192 kbit/s, 2/0
        {{0x0B, 0x77, 0x00, 0x00, 0x55, 0x08, 0xE0, 0x00}, 836, 44100, 5, 940409},  // 44.1 kHz, odd code, 3/2
        {{0x0B, 0x77, 0x00, 0x00, 0x80, 0x08, 0x20, 0x00}, 192, 32000, 1, 1296000},  // 32 kbit/s, 1/0
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const auto& row = rows[i];
        Bytes stream = Frames(row.header, row.size, 3);
        MuxAc3Parser standard, swapped;
        standard.Reset();
        swapped.Reset();
        ParserOutput a, b;
        Feed(standard, a, stream, 300);
        Feed(swapped, b, Swapped(stream), 300);
        EXPECT_EQ(1, standard.ByteOrder()) << i;
        EXPECT_EQ(2, swapped.ByteOrder()) << i;
        auto units = a.AudioUnits();
        ASSERT_EQ(3u, units.size()) << i;
        EXPECT_EQ(static_cast<uint32_t>(row.size), units[0].size) << i;
        EXPECT_EQ(row.second, units[1].time) << i;
        EXPECT_EQ(row.rate, standard.SampleRate()) << i;
        EXPECT_EQ(row.channels, standard.Channels()) << i;
        EXPECT_EQ(stream, a.bytes) << i;
        EXPECT_EQ(stream, b.bytes) << i;
        EXPECT_EQ(a.records.size(), b.records.size()) << i;
        for (size_t r = 0; r < a.records.size() && r < b.records.size(); ++r)
            EXPECT_EQ(a.records[r].data, b.records[r].data) << i << " " << r;
    }
}

TEST(MuxAc3Parser, TheFirstFramesOrderHoldsForTheStream)
{
    Bytes header = {0x0B, 0x77, 0x00, 0x00, 0x14, 0x08, 0x40, 0x00};
    Bytes stream = Frames(header, 768, 1);
    Bytes other = Swapped(stream);
    stream.insert(stream.end(), other.begin(), other.end());
    MuxAc3Parser parser;
    parser.Reset();
    ParserOutput out;
    Feed(parser, out, stream, static_cast<int>(stream.size()));
    EXPECT_EQ(1u, out.AudioUnits().size());
}

TEST(MuxAdtsParser, ConfigurationGoesFirstAndFramesAre1024Samples)
{
    // AAC LC, 48 kHz (index 3), stereo, 200-byte frames
    Bytes header = {0xFF, 0xF1, 0x4C, 0x80, 0x19, 0x1F, 0xFC};
    Bytes stream = Frames(header, 200, 3);
    MuxAdtsParser parser;
    parser.SetConfiguration(0x1190, 0x12345678);
    parser.Reset();
    ParserOutput out;
    Feed(parser, out, stream, 64);
    ASSERT_FALSE(out.records.empty());
    ASSERT_EQ(MUX_AUX_AUDIO_CONFIG, out.records[0].command);
    ASSERT_EQ(48u, out.records[0].data.size());
    Bytes expected(48, 0);
    expected[4] = 0x90;
    expected[5] = 0x11;
    expected[12] = 0x78;
    expected[13] = 0x56;
    expected[14] = 0x34;
    expected[15] = 0x12;
    EXPECT_EQ(expected, out.records[0].data);
    EXPECT_EQ(1, out.Count(MUX_AUX_AUDIO_CONFIG));
    auto units = out.AudioUnits();
    ASSERT_EQ(3u, units.size());
    EXPECT_EQ(200u, units[0].size);
    EXPECT_EQ(576000u, units[1].time);
    EXPECT_EQ(1152000u, units[2].time);
    EXPECT_EQ(MUX_CODEC_AAC, units[0].codec);
    EXPECT_EQ(48000, parser.SampleRate());
    EXPECT_EQ(1, parser.Profile());
    EXPECT_EQ(0, parser.Version());
}

TEST(MuxPcmParser, StreamHeaderThenFramesFortyFiveThousandTicksApart)
{
    const struct
    {
        int rate;
        int channels;
        bool littleEndian;
        uint8_t flags;
        int frame;
    } rows[] = {
        {48000, 2, true, 0x04, 320},
        {48000, 1, false, 0x00, 160},
        {96000, 2, true, 0x05, 640},
        {96000, 1, false, 0x01, 320},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const auto& row = rows[i];
        MuxPcmParser parser;
        parser.SetFormat(row.rate, row.channels, row.littleEndian);
        parser.Reset();
        ParserOutput out;
        Bytes stream(row.frame * 2 + 10);
        for (size_t b = 0; b < stream.size(); ++b)
            stream[b] = static_cast<uint8_t>(b);
        Feed(parser, out, stream, 77);
        parser.EndOfStream();
        auto units = out.AudioUnits();
        ASSERT_EQ(4u, units.size()) << i;
        EXPECT_EQ(4u, units[0].size) << i;
        EXPECT_EQ(~0ull, units[0].time) << i;
        for (int f = 0; f < 3; ++f) {
            EXPECT_EQ(static_cast<uint32_t>(row.frame), units[f + 1].size) << i;
            EXPECT_EQ(45000u * f, units[f + 1].time) << i;
            EXPECT_EQ(MUX_CODEC_LPCM, units[f + 1].codec) << i;
        }
        ASSERT_EQ(4u + 3 * row.frame, out.bytes.size()) << i;
        EXPECT_EQ(Bytes({'C', 'P', row.flags, 0x80}), Bytes(out.bytes.begin(), out.bytes.begin() + 4)) << i;
        // big-endian in the buffer: PCM is turned round, LPCM is not
        EXPECT_EQ(row.littleEndian ? 1 : 0, out.bytes[4]) << i;
        EXPECT_EQ(row.littleEndian ? 0 : 1, out.bytes[5]) << i;
        // the short last frame is filled with silence
        EXPECT_EQ(0, out.bytes.back()) << i;
    }
}

TEST(MuxPcmParser, PrivateStreamHeaderGoesAndAnOwnHeaderNeedsNoStreamHeader)
{
    MuxPcmParser parser;
    parser.SetFormat(48000, 2, false);
    parser.Reset();
    ParserOutput out;
    Bytes sample = {0x00, 0x00, 0x01, 0xBD, 1, 2, 3, 4, 5, 6, 7};
    sample.resize(sample.size() + 320, 0x42);
    Feed(parser, out, sample, static_cast<int>(sample.size()));
    ASSERT_EQ(2u, out.AudioUnits().size());
    EXPECT_EQ(324u, out.bytes.size());
    EXPECT_EQ(0x42, out.bytes[4]);

    MuxPcmParser own;
    own.SetFormat(48000, 2, false);
    own.Reset();
    ParserOutput plain;
    Bytes marked(320, 0x42);
    marked[0] = '+';
    marked[1] = '3';
    Feed(own, plain, marked, 320);
    ASSERT_EQ(1u, plain.AudioUnits().size());
    EXPECT_EQ(0u, plain.AudioUnits()[0].time);
}

// MP2 frames of 24 ms (240,000 in 100 ns units).
TEST(MuxAudioParser, SyncHoldsFramesUntilTheRunningTimeReachesTheVideo)
{
    Bytes stream = Frames({0xFF, 0xFD, 0xA4, 0x00}, 576, 6);
    const struct
    {
        bool known;
        LONGLONG videoStart;
        LONGLONG firstSample;
        LONGLONG held;
        LONGLONG passed;
    } rows[] = {
        {true, 1000000, 500000, 3, 3},  // 500,000 + 3 x 240,000 reaches 1,000,000
        {true, 980000, 500000, 2, 4},   // exactly at the second frame's end
        {true, 100000, 500000, 0, 6},   // the video began before the audio
        {false, 0, 500000, 6, 0},       // no video yet: nothing flows
        {true, 1000000, 0, 0, 0},       // no time on the samples: the first time never comes
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const auto& row = rows[i];
        MuxSyncClock clock;
        if (row.known)
            clock.SetVideoStart(row.videoStart);
        MuxMpegAudioParser parser;
        parser.SetSyncClock(&clock);
        parser.Reset();
        ParserOutput out;
        Feed(parser, out, stream, 576, row.firstSample);
        EXPECT_EQ(row.held, parser.FramesHeld()) << i;
        EXPECT_EQ(row.passed, parser.FramesPassed()) << i;
        auto units = out.AudioUnits();
        ASSERT_EQ(static_cast<size_t>(row.passed), units.size()) << i;
        if (!units.empty()) {
            EXPECT_EQ(0u, units[0].time) << i << ": the first frame to pass starts the audio";
        }
        EXPECT_EQ(static_cast<size_t>(row.passed) * 576, out.bytes.size()) << i;
    }
}

} // namespace
