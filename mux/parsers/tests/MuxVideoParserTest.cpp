// The video parsers over streams built here header by header: frame durations, the unit
// records and their times in normal and field-repeat cadence, headers cut by sample
// boundaries, the end code, and H.264 parameter sets with and without VUI, timing and HRD.
#include "MuxH264Parser.h"
#include "MuxMpegVideoParser.h"
#include "ParserOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

typedef std::vector<uint8_t> Bytes;

void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

// MPEG video headers, 720 x 576.
Bytes Sequence(int rateCode)
{
    // bit rate 0x3A98 (18 bits), marker, buffer size 112 (10 bits), flags 0
    uint32_t tail = (0x3A98u << 14) | (1u << 13) | (112u << 3);
    return {0, 0, 1, 0xB3, 0x2D, 0x02, 0x40, static_cast<uint8_t>(0x30 | rateCode),
            uint8_t(tail >> 24), uint8_t(tail >> 16), uint8_t(tail >> 8), uint8_t(tail)};
}

Bytes SequenceExtension(bool progressive)
{
    return {0, 0, 1, 0xB5, 0x14, static_cast<uint8_t>(0x82 | (progressive ? 0x08 : 0)), 0x00, 0x01, 0x00, 0x00};
}

Bytes Group()
{
    return {0, 0, 1, 0xB8, 0x00, 0x08, 0x00, 0x40};
}

Bytes Picture(int type, int reference)
{
    int delay = 0xFFFF;
    return {0, 0, 1, 0x00, uint8_t(reference >> 2), uint8_t(((reference & 3) << 6) | (type << 3) | (delay >> 13)),
            uint8_t(delay >> 5), uint8_t((delay & 31) << 3), 0x00};
}

Bytes CodingExtension(bool topFieldFirst, bool repeatFirstField)
{
    return {0, 0, 1, 0xB5, 0x8F, 0xFF, 0xF3, uint8_t((topFieldFirst ? 0x80 : 0) | (repeatFirstField ? 0x02 : 0) | 1),
            0x80};
}

Bytes Slice()
{
    return {0, 0, 1, 0x01, 0x12, 0x34, 0x56, 0x78, 0x9A};
}

struct Pic
{
    int type;
    int reference;
};

const Pic kGroup[4] = {{1, 0}, {2, 3}, {3, 1}, {3, 2}};

// A stream of groups of I P B B (display I B B P); MPEG-2 when extensions are asked for.
Bytes Stream(int rateCode, int groups, bool mpeg2 = false, bool progressive = false, bool repeat = false)
{
    Bytes stream = Sequence(rateCode);
    if (mpeg2)
        Append(stream, SequenceExtension(progressive));
    for (int g = 0; g < groups; ++g) {
        Append(stream, Group());
        for (const Pic& pic : kGroup) {
            Append(stream, Picture(pic.type, pic.reference));
            if (mpeg2)
                Append(stream, CodingExtension(true, repeat));
            Append(stream, Slice());
        }
    }
    return stream;
}

std::vector<MuxVideoUnit> Parse(MuxStreamParser& parser, ParserOutput& out, const Bytes& stream, int piece = 0)
{
    parser.SetOutput(out.Stream());
    parser.Reset();
    if (piece <= 0)
        piece = static_cast<int>(stream.size());
    for (size_t at = 0; at < stream.size(); at += piece) {
        int bytes = static_cast<int>(std::min(stream.size() - at, static_cast<size_t>(piece)));
        EXPECT_EQ(S_OK, parser.Parse(&stream[at], bytes, 0));
    }
    EXPECT_EQ(S_OK, parser.EndOfStream());
    return out.VideoUnits();
}

TEST(MuxMpegVideoParser, FrameDurationFollowsTheRateCode)
{
    const struct
    {
        int code;
        uint64_t ticks;
    } rows[] = {{1, 1126125}, {2, 1125000}, {3, 1080000}, {4, 900900}, {5, 900000}, {6, 540000}, {7, 450450}, {8, 450000}};
    for (const auto& row : rows) {
        MuxMpegVideoParser parser;
        ParserOutput out;
        auto units = Parse(parser, out, Stream(row.code, 1));
        ASSERT_EQ(4u, units.size()) << row.code;
        EXPECT_EQ(row.ticks, units[0].presentTime) << row.code;
        EXPECT_EQ(row.ticks, units[1].decodeTime) << row.code;
    }
}

TEST(MuxMpegVideoParser, UnitsCoverEveryByteWithTheirTimesAndFlags)
{
    MuxMpegVideoParser parser;
    ParserOutput out;
    Bytes stream = Stream(3, 2);
    auto units = Parse(parser, out, stream);
    // type, flags, decode, present (25 frames per second: T = 1,080,000)
    const struct
    {
        uint16_t type;
        uint8_t flags;
        uint64_t decode;
        uint64_t present;
    } rows[] = {
        {1, 3, 0, 1080000},       {2, 0, 1080000, 4320000}, {3, 0, 2160000, 2160000}, {3, 0, 3240000, 3240000},
        {1, 2, 4320000, 5400000}, {2, 0, 5400000, 8640000}, {3, 0, 6480000, 6480000}, {3, 0, 7560000, 7560000},
    };
    ASSERT_EQ(8u, units.size());
    size_t total = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(rows[i].type, units[i].codingType) << i;
        EXPECT_EQ(rows[i].flags, units[i].flags) << i;
        EXPECT_EQ(rows[i].decode, units[i].decodeTime) << i;
        EXPECT_EQ(rows[i].present, units[i].presentTime) << i;
        EXPECT_EQ(MUX_CODEC_MPEG_VIDEO, units[i].codec) << i;
        total += units[i].size;
    }
    EXPECT_EQ(stream.size(), total);
    EXPECT_EQ(stream, out.bytes);
    // sequence header 12 + group 8 before the first picture; the second unit is one picture
    EXPECT_EQ(20, units[0].headerDistance);
    EXPECT_EQ(38u, units[0].size);
    EXPECT_EQ(18u, units[1].size);
    EXPECT_EQ(1, out.Count(MUX_AUX_SEQUENCE));
    EXPECT_EQ(2, out.Count(MUX_AUX_GROUP));
    EXPECT_EQ(8, out.Count(MUX_AUX_PICTURE));
}

TEST(MuxMpegVideoParser, SequenceAndPictureRecordsCarryTheHeaderFields)
{
    MuxMpegVideoParser parser;
    ParserOutput out;
    Parse(parser, out, Stream(3, 1));
    ASSERT_EQ(MUX_AUX_SEQUENCE, out.records[0].command);
    MuxSequenceRecord sequence;
    memcpy(&sequence, out.records[0].data.data(), sizeof(sequence));
    EXPECT_EQ(2u, sequence.version);
    EXPECT_EQ(3u, sequence.frameRateCode);
    EXPECT_EQ(0x3A98u, sequence.bitRate);
    EXPECT_EQ(112u, sequence.bufferSize);
    for (const auto& record : out.records) {
        if (record.command != MUX_AUX_PICTURE)
            continue;
        MuxPictureRecord picture;
        memcpy(&picture, record.data.data(), sizeof(picture));
        EXPECT_EQ(1u, picture.codingType);
        EXPECT_EQ(0u, picture.temporalReference);
        EXPECT_EQ(0xFFFFu, picture.delay);
        break;
    }
}

// 59.94 progressive with repeated fields shows 24 pictures a second: 3 and 2 periods by turns.
TEST(MuxMpegVideoParser, FieldRepeatCadenceCountsFivePeriodsPerPairOfPictures)
{
    const uint64_t T = 450450;
    MuxMpegVideoParser parser;
    ParserOutput out;
    auto units = Parse(parser, out, Stream(7, 1, true, true, true));
    EXPECT_TRUE(parser.FieldRepeat());
    ASSERT_EQ(4u, units.size());
    EXPECT_EQ(2 * T, units[0].presentTime);
    EXPECT_EQ(0u, units[0].decodeTime);
    EXPECT_EQ(10 * T, units[1].presentTime);
    EXPECT_EQ(3 * T, units[1].decodeTime);
    EXPECT_EQ(5 * T, units[2].presentTime);
    EXPECT_EQ(7 * T, units[3].presentTime);

    const struct
    {
        int code;
        bool progressive;
        bool repeat;
    } normal[] = {{7, false, true}, {7, true, false}, {4, true, true}};
    for (const auto& row : normal) {
        MuxMpegVideoParser other;
        ParserOutput plain;
        auto times = Parse(other, plain, Stream(row.code, 1, true, row.progressive, row.repeat));
        EXPECT_FALSE(other.FieldRepeat()) << row.code << row.progressive << row.repeat;
        ASSERT_EQ(4u, times.size());
        EXPECT_EQ(static_cast<uint64_t>(4 * MuxVideoParser::FrameTicksOfCode(row.code)), times[1].presentTime);
    }
}

TEST(MuxMpegVideoParser, HeadersCutAtAnyByteGiveTheSameRecords)
{
    Bytes stream = Stream(3, 2, true);
    MuxMpegVideoParser whole;
    ParserOutput expected;
    Parse(whole, expected, stream);
    for (int piece = 1; piece <= 13; ++piece) {
        MuxMpegVideoParser parser;
        ParserOutput out;
        Parse(parser, out, stream, piece);
        ASSERT_EQ(expected.records.size(), out.records.size()) << piece;
        for (size_t i = 0; i < out.records.size(); ++i) {
            EXPECT_EQ(expected.records[i].command, out.records[i].command) << piece << " " << i;
            EXPECT_EQ(expected.records[i].data, out.records[i].data) << piece << " " << i;
        }
    }
}

TEST(MuxMpegVideoParser, EndCodeClosesTheLastUnitAndAtASampleEndEndsTheStream)
{
    Bytes stream = Stream(3, 1);
    Bytes end = {0, 0, 1, 0xB7};
    MuxMpegVideoParser parser;
    ParserOutput out;
    parser.SetOutput(out.Stream());
    parser.Reset();
    ASSERT_EQ(S_OK, parser.Parse(stream.data(), static_cast<int>(stream.size()), 0));
    ASSERT_EQ(S_OK, parser.Parse(end.data(), 4, 0));
    EXPECT_TRUE(parser.Ended());
    EXPECT_EQ(1, out.Count(MUX_AUX_SEQUENCE_END));
    EXPECT_EQ(1, out.Count(MUX_AUX_END_AT_BOUNDARY));
    parser.EndOfStream();
    auto units = out.VideoUnits();
    ASSERT_EQ(4u, units.size());
    EXPECT_EQ(22u, units[3].size) << "the last picture holds the end code";

    // An end code with more data behind it in the sample does not end the stream there.
    Bytes more = end;
    Append(more, {0xAA});
    MuxMpegVideoParser middle;
    ParserOutput out2;
    middle.SetOutput(out2.Stream());
    middle.Reset();
    middle.Parse(stream.data(), static_cast<int>(stream.size()), 0);
    middle.Parse(more.data(), static_cast<int>(more.size()), 0);
    EXPECT_FALSE(middle.Ended());
    EXPECT_EQ(0, out2.Count(MUX_AUX_END_AT_BOUNDARY));
}

TEST(MuxMpegVideoParser, AFullBufferFailsTheSample)
{
    Bytes stream = Stream(3, 1);
    MuxMpegVideoParser parser;
    ParserOutput out;
    out.room = 10;
    parser.SetOutput(out.Stream());
    parser.Reset();
    EXPECT_EQ(E_FAIL, parser.Parse(stream.data(), static_cast<int>(stream.size()), 0));
    EXPECT_TRUE(out.bytes.empty());
}

// H.264 byte streams, written bit by bit.
class BitWriter
{
public:
    void Put(uint32_t value, int bits)
    {
        for (int i = bits - 1; i >= 0; --i)
            m_bits.push_back((value >> i) & 1);
    }
    void Ue(uint32_t value)
    {
        uint32_t code = value + 1;
        int length = 0;
        while ((code >> length) > 1)
            ++length;
        Put(0, length);
        Put(code, length + 1);
    }
    // The NAL unit with its start code, trailing bits and emulation prevention bytes.
    Bytes Nal(uint8_t header)
    {
        Put(1, 1);
        while (m_bits.size() % 8)
            m_bits.push_back(0);
        Bytes nal = {0, 0, 0, 1, header};
        int zeros = 0;
        for (size_t i = 0; i < m_bits.size(); i += 8) {
            uint8_t byte = 0;
            for (int b = 0; b < 8; ++b)
                byte = static_cast<uint8_t>((byte << 1) | m_bits[i + b]);
            if (zeros >= 2 && byte <= 3) {
                nal.push_back(3);
                zeros = 0;
            }
            zeros = byte == 0 ? zeros + 1 : 0;
            nal.push_back(byte);
        }
        return nal;
    }

private:
    std::vector<int> m_bits;
};

struct SpsShape
{
    int heightMbs;
    bool vui;
    uint32_t unitsPerTick; // 0: no timing information
    uint32_t timeScale;
    bool hrd;
};

// Main profile keeps the layout below the High profiles; 100 adds the chroma fields.
Bytes Sps(const SpsShape& shape, int profile = 77)
{
    BitWriter w;
    w.Put(profile, 8);
    w.Put(0, 8);
    w.Put(30, 8);
    w.Ue(0);
    if (profile == 100) {
        w.Ue(1);
        w.Ue(0);
        w.Ue(0);
        w.Put(0, 1);
        w.Put(0, 1);
    }
    w.Ue(0);     // frame number: 4 bits
    w.Ue(0);     // picture order count type 0
    w.Ue(2);     // its lsb: 6 bits
    w.Ue(2);
    w.Put(0, 1);
    w.Ue(44);    // 720
    w.Ue(shape.heightMbs - 1);
    w.Put(1, 1); // frame macroblocks only
    w.Put(1, 1);
    w.Put(0, 1);
    w.Put(shape.vui ? 1 : 0, 1);
    if (shape.vui) {
        w.Put(0, 4); // aspect, overscan, signal type, chroma location
        w.Put(shape.unitsPerTick ? 1 : 0, 1);
        if (shape.unitsPerTick) {
            w.Put(shape.unitsPerTick, 32);
            w.Put(shape.timeScale, 32);
            w.Put(1, 1);
        }
        w.Put(shape.hrd ? 1 : 0, 1);
        if (shape.hrd) {
            w.Ue(0);
            w.Put(2, 4); // bit-rate scale
            w.Put(3, 4);
            w.Ue(1249);  // (1249 + 1) x 2^8 = 320,000 bit/s
            w.Ue(999);
            w.Put(0, 1);
            w.Put(23, 5);
            w.Put(23, 5);
            w.Put(23, 5);
            w.Put(24, 5);
        }
        w.Put(0, 1);
        if (shape.hrd)
            w.Put(0, 1);
        w.Put(0, 2);
    }
    return w.Nal(0x67);
}

Bytes Slice264(int type, int order, bool idr, int frameNum)
{
    BitWriter w;
    w.Ue(0);
    w.Ue(type);
    w.Ue(0);
    w.Put(frameNum & 15, 4);
    if (idr)
        w.Ue(0);
    w.Put(order & 63, 6);
    w.Put(0x5A5A, 16);
    return w.Nal(idr ? 0x65 : type == 6 ? 0x01 : 0x21);
}

Bytes H264Stream(const SpsShape& shape, int groups, int profile = 77)
{
    Bytes stream;
    for (int g = 0; g < groups; ++g) {
        Append(stream, {0, 0, 0, 1, 0x09, 0xF0});
        Append(stream, Sps(shape, profile));
        Append(stream, {0, 0, 0, 1, 0x68, 0xCE, 0x38, 0x80});
        Append(stream, Slice264(7, 0, true, 0));
        // P shown 4th, then two B pictures: picture order counts 6, 2, 4
        const int types[3] = {5, 6, 6}, orders[3] = {6, 2, 4};
        for (int i = 0; i < 3; ++i) {
            Append(stream, {0, 0, 0, 1, 0x09, 0xF0});
            Append(stream, Slice264(types[i], orders[i], false, i + 1));
        }
    }
    return stream;
}

std::vector<std::string> g_texts;
void KeepText(const char* text)
{
    g_texts.push_back(text);
}

const char kNoVui[] = "Warning: VUI Parameters not present, using default timing and bitrate for seq_start_info! \n";
const char kNoTiming[] = "Error: VUI Parameters timing info not present, using default timing! \n";
const char kNoHrd[] =
    "Warning - nal_hrd_parameters not present in VUI, using default video bitrate 3Mbit for seq_start_info \n";

TEST(MuxH264Parser, ParameterSetsGiveTimingBitRateAndTheirTexts)
{
    const struct
    {
        SpsShape shape;
        int profile;
        uint64_t ticks;
        int code;
        uint32_t bitRate;
        std::vector<std::string> texts;
    } rows[] = {
        {{36, false, 0, 0, false}, 77, 1080000, 3, 3000000, {kNoVui}},
        {{30, false, 0, 0, false}, 77, 900900, 4, 3000000, {kNoVui}},
        {{36, true, 0, 0, true}, 77, 1080000, 3, 320000, {kNoTiming}},
        {{30, true, 0, 0, false}, 77, 900900, 4, 3000000, {kNoTiming, kNoHrd}},
        // An encoder writes 50 over 1 for 25 frames per second: a tick is a field.
        {{36, true, 1, 50, true}, 77, 1080000, 3, 320000, {}},
        {{30, true, 1001, 60000, false}, 77, 900900, 4, 3000000, {kNoHrd}},
        {{30, true, 1, 60, true}, 100, 900000, 5, 320000, {}},
        {{45, true, 1, 120, true}, 100, 450000, 8, 320000, {}},
        {{68, true, 1001, 48000, true}, 100, 1126125, 1, 320000, {}},
    };
    for (size_t i = 0; i < sizeof(rows) / sizeof(rows[0]); ++i) {
        const auto& row = rows[i];
        g_texts.clear();
        MuxH264Parser parser;
        parser.SetDebugPrinter(KeepText);
        ParserOutput out;
        auto units = Parse(parser, out, H264Stream(row.shape, 2, row.profile));
        EXPECT_EQ(row.ticks, static_cast<uint64_t>(parser.FrameTicks())) << i;
        EXPECT_EQ(row.code, parser.FrameRateCode()) << i;
        EXPECT_EQ(row.bitRate, parser.BitRate()) << i;
        EXPECT_EQ(720, parser.Width()) << i;
        EXPECT_EQ(row.shape.heightMbs * 16, parser.Height()) << i;
        // once per parameter set: the repeated one says nothing again
        EXPECT_EQ(row.texts, g_texts) << i;
        EXPECT_EQ(2, out.Count(MUX_AUX_SEQUENCE)) << i;
        ASSERT_EQ(8u, units.size()) << i;
    }
}

TEST(MuxH264Parser, TimesFollowThePictureOrderSinceTheLastIdr)
{
    MuxH264Parser parser;
    parser.SetDebugPrinter(KeepText);
    ParserOutput out;
    Bytes stream = H264Stream({36, true, 1, 50, true}, 2);
    auto units = Parse(parser, out, stream);
    const struct
    {
        uint16_t type;
        uint8_t flags;
        uint64_t decode;
        uint64_t present;
    } rows[] = {
        {1, 0x41, 0, 1080000},       {2, 0, 1080000, 4320000}, {3, 0, 2160000, 2160000}, {3, 0, 3240000, 3240000},
        {1, 0x41, 4320000, 5400000}, {2, 0, 5400000, 8640000}, {3, 0, 6480000, 6480000}, {3, 0, 7560000, 7560000},
    };
    ASSERT_EQ(8u, units.size());
    size_t total = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(rows[i].type, units[i].codingType) << i;
        EXPECT_EQ(rows[i].flags, units[i].flags) << i;
        EXPECT_EQ(rows[i].decode, units[i].decodeTime) << i;
        EXPECT_EQ(rows[i].present, units[i].presentTime) << i;
        EXPECT_EQ(MUX_CODEC_H264, units[i].codec) << i;
        total += units[i].size;
    }
    EXPECT_EQ(stream.size(), total);
    EXPECT_EQ(2, out.Count(MUX_AUX_GROUP));

    // The same records when every sample is a few bytes.
    MuxH264Parser cut;
    cut.SetDebugPrinter(KeepText);
    ParserOutput pieces;
    auto again = Parse(cut, pieces, stream, 5);
    ASSERT_EQ(units.size(), again.size());
    for (size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(units[i].size, again[i].size) << i;
        EXPECT_EQ(units[i].presentTime, again[i].presentTime) << i;
    }
}

TEST(MuxVideoParser, FirstPictureSetsTheVideoStartForWaitingAudio)
{
    MuxSyncClock clock;
    MuxMpegVideoParser parser;
    parser.SetSyncClock(&clock);
    ParserOutput out;
    parser.SetOutput(out.Stream());
    parser.Reset();
    Bytes stream = Stream(3, 1);
    EXPECT_FALSE(clock.Known());
    parser.Parse(stream.data(), static_cast<int>(stream.size()), 5000000);
    ASSERT_TRUE(clock.Known());
    // the first picture is shown one frame (40 ms) after the video's start
    EXPECT_EQ(5000000 - 400000, clock.VideoStart());
}

} // namespace
