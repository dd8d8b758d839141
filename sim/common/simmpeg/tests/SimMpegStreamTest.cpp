#include "CSimMp2Decoder.h"
#include "CSimMp2Encoder.h"
#include "CSimMpvDecoder.h"
#include "CSimMpvEncoder.h"
#include "CSimPsMuxer.h"
#include "CSimPsParser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
struct Format
{
    const char* name;
    bool mpeg2;
    int width, height, rateCode, packSize, sampleRate;
    double bitRate;
    bool constrained;
    int vbv;
    uint8_t sequenceHeader[8]; // the bytes after 00 00 01 B3
};

// The record formats as the encoder stand-in makes them.
const Format kFormats[] = {
    {"Mpeg1", false, 352, 288, 3, 2048, 44100, 4500000, false, 112, {0x16, 0x01, 0x20, 0x83, 0x0A, 0xFC, 0xA3, 0x80}},
    {"VCD", false, 352, 288, 3, 2324, 44100, 1150000, true, 20, {0x16, 0x01, 0x20, 0x83, 0x02, 0xCE, 0xE0, 0xA4}},
    {"SVCD", true, 480, 576, 3, 2324, 44100, 2200000, false, 112, {0x1E, 0x02, 0x40, 0x23, 0x05, 0x5F, 0x23, 0x80}},
    {"DVD", true, 720, 576, 3, 2048, 48000, 4500000, false, 112, {0x2D, 0x02, 0x40, 0x23, 0x0A, 0xFC, 0xA3, 0x80}},
    {"HIDVD", true, 720, 576, 3, 2048, 48000, 7200000, false, 112, {0x2D, 0x02, 0x40, 0x23, 0x11, 0x94, 0x23, 0x80}},
    {"DVD NTSC", true, 720, 480, 4, 2048, 48000, 4500000, false, 112, {0x2D, 0x01, 0xE0, 0x24, 0x0A, 0xFC, 0xA3, 0x80}},
};

const int kToneHz = 500;
const double kPi = 3.14159265358979323846;

// Vertical bars whose shade tells the picture number, with colour that varies over the picture.
SimPicture TestPicture(int width, int height, int number)
{
    SimPicture p;
    p.Allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.y[(size_t)y * width + x] = (uint8_t)(16 + ((x * 8 / width + number) % 8) * 27);
    for (size_t i = 0; i < p.cb.size(); ++i) {
        p.cb[i] = (uint8_t)(90 + i % 80);
        p.cr[i] = 160;
    }
    return p;
}

struct Stream
{
    std::vector<uint8_t> bytes;
    std::vector<SimPack> packs;
};

Stream MakeStream(const Format& f, int pictures, bool framePerPacket = false)
{
    SimMpvSettings vs;
    vs.mpeg2 = f.mpeg2;
    vs.width = f.width;
    vs.height = f.height;
    vs.frameRateCode = f.rateCode;
    vs.bitRate = f.bitRate;
    vs.constrained = f.constrained;
    vs.vbvBufferSize = f.vbv;
    CSimMpvEncoder video(vs);
    CSimMp2Encoder audio(f.sampleRate, 2, 11, false);
    SimPsSettings ps;
    ps.mpeg2 = f.mpeg2;
    ps.packSize = f.packSize;
    ps.audioFramePerPacket = framePerPacket;
    CSimPsMuxer mux(ps);
    double fps = CSimMpvEncoder::FrameRate(f.rateCode);
    Stream s;
    long samples = 0;
    int64_t audioPts = 45000;
    for (int k = 0; k < pictures; ++k) {
        std::vector<uint8_t> es;
        bool key = video.Encode(TestPicture(f.width, f.height, k), es);
        mux.AddVideo(es.data(), es.size(), 45000 + (int64_t)(k * 90000 / fps), key);
        long want = (long)((k + 1) * f.sampleRate / fps) - samples;
        std::vector<int16_t> pcm((size_t)want * 2);
        for (long i = 0; i < want; ++i)
            pcm[2 * i] = pcm[2 * i + 1] = (int16_t)(8000 * sin(2 * kPi * kToneHz * (samples + i) / f.sampleRate));
        samples += want;
        std::vector<std::vector<uint8_t>> frames;
        audio.Encode(pcm.data(), want, frames);
        for (auto& fr : frames) {
            mux.AddAudio(fr.data(), fr.size(), audioPts);
            audioPts += 1152 * 90000 / f.sampleRate;
        }
        mux.Drain(s.packs);
    }
    std::vector<uint8_t> end;
    video.End(end);
    mux.AddVideo(end.data(), end.size(), audioPts, false);
    mux.Finish(s.packs);
    for (const SimPack& p : s.packs)
        s.bytes.insert(s.bytes.end(), p.bytes.begin(), p.bytes.end());
    return s;
}

// Strength of one frequency in a block of samples.
double ToneStrength(const std::vector<int16_t>& mono, int rate, double hz)
{
    double re = 0, im = 0;
    for (size_t i = 0; i < mono.size(); ++i) {
        re += mono[i] * cos(2 * kPi * hz * i / rate);
        im += mono[i] * sin(2 * kPi * hz * i / rate);
    }
    return hypot(re, im);
}
}

TEST(SimMpegStream, PacksHaveThePackSizeAndTheStreamEndsWithTheEndCode)
{
    for (size_t i = 0; i < sizeof(kFormats) / sizeof(kFormats[0]); ++i) {
        const Format& f = kFormats[i];
        Stream s = MakeStream(f, 12);
        ASSERT_GT(s.packs.size(), 2u) << f.name;
        for (size_t p = 0; p + 1 < s.packs.size(); ++p) {
            ASSERT_EQ((size_t)f.packSize, s.packs[p].bytes.size()) << f.name << " pack " << p;
            ASSERT_EQ(0, memcmp(s.packs[p].bytes.data(), "\0\0\1\xBA", 4)) << f.name << " pack " << p;
            EXPECT_EQ(f.mpeg2 ? 0x40 : 0x20, s.packs[p].bytes[4] & (f.mpeg2 ? 0xC0 : 0xF0)) << f.name;
            if (p > 0) {
                EXPECT_GE(s.packs[p].scr, s.packs[p - 1].scr) << f.name << " pack " << p;
            }
        }
        EXPECT_EQ(0, memcmp(&s.bytes[s.bytes.size() - 4], "\0\0\1\xB9", 4)) << f.name;
    }
}

TEST(SimMpegStream, SequenceHeaderCarriesSizeRateAndBitRate)
{
    for (size_t i = 0; i < sizeof(kFormats) / sizeof(kFormats[0]); ++i) {
        const Format& f = kFormats[i];
        Stream s = MakeStream(f, 2);
        static const uint8_t code[4] = {0, 0, 1, 0xB3};
        auto at = std::search(s.bytes.begin(), s.bytes.end(), code, code + 4);
        ASSERT_TRUE(at != s.bytes.end()) << f.name;
        EXPECT_EQ(0, memcmp(&*(at + 4), f.sequenceHeader, 8)) << f.name;
    }
}

TEST(SimMpegStream, ParserAndDecodersGiveBackPicturesAndTone)
{
    const Format& f = kFormats[3];
    Stream s = MakeStream(f, 10);
    CSimPsParser parser;
    // Fed in odd pieces, as samples arrive.
    for (size_t at = 0; at < s.bytes.size(); at += 1000)
        parser.Feed(s.bytes.data() + at, std::min<size_t>(1000, s.bytes.size() - at));
    parser.Finish();

    SimPsPackInfo pack;
    size_t packs = 0, keys = 0;
    while (parser.NextPack(pack)) {
        EXPECT_EQ(packs * f.packSize, pack.offset);
        EXPECT_EQ(s.packs[packs].scr, pack.scr);
        keys += pack.keyStart ? 1 : 0;
        ++packs;
    }
    EXPECT_EQ(s.packs.size(), packs);
    EXPECT_EQ(10u, keys);

    CSimMpvDecoder video;
    CSimMp2Decoder audio;
    SimPsPacket packet;
    while (parser.NextPacket(packet)) {
        if (packet.streamId == 0xE0)
            video.Feed(packet.payload.data(), packet.payload.size());
        else if (packet.streamId == 0xC0)
            audio.Feed(packet.payload.data(), packet.payload.size());
    }
    video.Flush();
    SimPicture picture;
    int count = 0;
    while (video.NextPicture(picture)) {
        ASSERT_EQ(720, picture.width);
        // Bar 0 of picture k has shade (k % 8); the middle of the bar is flat, so it comes back closely.
        int expected = 16 + (count % 8) * 27;
        EXPECT_NEAR(expected, picture.y[(size_t)288 * 720 + 45], 4) << "picture " << count;
        ++count;
    }
    EXPECT_EQ(10, count);
    EXPECT_EQ(0, video.Errors());

    std::vector<int16_t> pcm, mono;
    int rate = 0, channels = 0;
    while (audio.NextFrame(pcm, rate, channels))
        for (size_t i = 0; i < pcm.size(); i += channels)
            mono.push_back(pcm[i]);
    EXPECT_EQ(48000, rate);
    EXPECT_EQ(2, channels);
    EXPECT_EQ(0, audio.BadFrames());
    ASSERT_GT(mono.size(), 4800u);
    mono.erase(mono.begin(), mono.begin() + 2400);
    double tone = ToneStrength(mono, 48000, kToneHz);
    EXPECT_GT(tone, 10 * ToneStrength(mono, 48000, 1500));
    EXPECT_GT(tone, 10 * ToneStrength(mono, 48000, 250));
}

TEST(SimMpegStream, AudioFramesGoOnePerPacketWhenAsked)
{
    const Format& f = kFormats[3];
    for (bool framePerPacket : {false, true}) {
        Stream s = MakeStream(f, 10, framePerPacket);
        CSimPsParser parser;
        parser.Feed(s.bytes.data(), s.bytes.size());
        parser.Finish();
        SimPsPacket packet;
        int audioPackets = 0, wholeFrames = 0;
        while (parser.NextPacket(packet)) {
            if (packet.streamId != 0xC0)
                continue;
            ++audioPackets;
            // 224 kbit/s at 48 kHz: 672-byte frames.
            if (packet.payload.size() == 672 && packet.payload[0] == 0xFF && packet.hasPts)
                ++wholeFrames;
        }
        ASSERT_GT(audioPackets, 5);
        if (framePerPacket) {
            EXPECT_EQ(audioPackets, wholeFrames);
        } else {
            EXPECT_EQ(0, wholeFrames) << "frames run on across packets";
        }
    }
}

TEST(SimMpegStream, NoiseStaysNearTheBitRate)
{
    // Pictures of noise, the hardest case for intra coding, at the VCD rate.
    SimMpvSettings vs;
    vs.mpeg2 = false;
    vs.width = 352;
    vs.height = 288;
    vs.bitRate = 1150000;
    CSimMpvEncoder encoder(vs);
    uint32_t state = 2463534242u;
    size_t bytes = 0;
    const int pictures = 25;
    for (int k = 0; k < pictures; ++k) {
        SimPicture p;
        p.Allocate(352, 288);
        for (uint8_t& y : p.y) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            y = (uint8_t)(16 + state % 220);
        }
        std::vector<uint8_t> coded;
        encoder.Encode(p, coded);
        if (k >= 5) // once the rate control has settled
            bytes += coded.size();
    }
    double perPicture = bytes * 8.0 / (pictures - 5);
    EXPECT_LT(perPicture, 1.3 * 1150000 / 25);
}
