// A program stream made by FFmpeg's encoders and muxer through the codec layer, read back by
// the layer's demuxer and decoders from pieces of any size, as the filters pass them on.
#include "CSimAvDecoder.h"
#include "CSimAvDemuxer.h"
#include "CSimAvEncoder.h"
#include "CSimAvMuxer.h"
#include "CSimAvSoundEncoder.h"

#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <algorithm>

#include <vector>

namespace
{
const int kWidth = 352, kHeight = 288, kPictures = 30, kRate = 48000;

struct Stream
{
    std::vector<uint8_t> bytes;
    std::vector<size_t> packSizes;
};

Stream MakeStream(const char* format, int packSize)
{
    CSimAvMuxer::Settings settings;
    settings.format = format;
    settings.packSize = packSize;
    CSimAvMuxer muxer(settings);
    CSimAvEncoder video(AV_CODEC_ID_MPEG2VIDEO);
    AVCodecContext* c = video.Context();
    c->width = kWidth;
    c->height = kHeight;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = AVRational{1, 25};
    c->framerate = AVRational{25, 1};
    c->bit_rate = 2000000;
    c->gop_size = 12;
    c->max_b_frames = 2;
    EXPECT_TRUE(video.Open());
    CSimAvSoundEncoder sound(AV_CODEC_ID_MP2, kRate, 2, 224000, 0);
    EXPECT_TRUE(sound.Valid());
    int videoStream = muxer.AddStream(c);
    AVCodecParameters* p = avcodec_parameters_alloc();
    p->codec_type = AVMEDIA_TYPE_AUDIO;
    p->codec_id = AV_CODEC_ID_MP2;
    p->sample_rate = kRate;
    av_channel_layout_default(&p->ch_layout, 2);
    p->bit_rate = 224000;
    int soundStream = muxer.AddStream(p, AVRational{1, kRate});
    avcodec_parameters_free(&p);
    EXPECT_TRUE(muxer.Start());

    SimAvPtr<AVFrame> picture(av_frame_alloc());
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = kWidth;
    picture->height = kHeight;
    av_frame_get_buffer(picture.get(), 0);
    int64_t soundPts = 0;
    std::vector<int16_t> tone(kRate / 25 * 2);
    for (int i = 0; i < kPictures; ++i) {
        av_frame_make_writable(picture.get());
        for (int plane = 0; plane < 3; ++plane)
            for (int y = 0; y < (plane ? kHeight / 2 : kHeight); ++y)
                memset(picture->data[plane] + y * picture->linesize[plane], (uint8_t)(16 + (i * 7 + y) % 200),
                       plane ? kWidth / 2 : kWidth);
        picture->pts = i;
        EXPECT_TRUE(video.Encode(picture.get(), [&](AVPacket* packet) { return muxer.Write(videoStream, packet); }));
        for (size_t s = 0; s < tone.size(); ++s)
            tone[s] = (int16_t)(8000 * sin(s * 0.05));
        EXPECT_TRUE(sound.Encode(tone.data(), tone.size() / 2, [&](AVPacket* packet) {
            packet->pts = packet->dts = soundPts;
            soundPts += sound.FrameSamples();
            return muxer.Write(soundStream, packet);
        }));
    }
    EXPECT_TRUE(video.Encode(nullptr, [&](AVPacket* packet) { return muxer.Write(videoStream, packet); }));
    std::vector<SimPack> packs;
    EXPECT_TRUE(muxer.Finish(packs, true));
    Stream stream;
    for (const SimPack& pack : packs) {
        stream.bytes.insert(stream.bytes.end(), pack.bytes.begin(), pack.bytes.end());
        stream.packSizes.push_back(pack.bytes.size());
    }
    return stream;
}

TEST(SimAvStreamTest, ProgramStreamsReadBackFromPiecesOfAnySize)
{
    struct Case
    {
        const char* format;
        int packSize;
        size_t piece;
    };
    const Case kCases[] = {{"dvd", 2048, 1000}, {"vob", 2048, 2048}, {"svcd", 2324, 7}, {"mpeg", 2048, 65536}};
    for (const Case& t : kCases) {
        Stream stream = MakeStream(t.format, t.packSize);
        ASSERT_GE(stream.packSizes.size(), 2u) << t.format;
        for (size_t i = 0; i + 1 < stream.packSizes.size(); ++i)
            ASSERT_EQ((size_t)t.packSize, stream.packSizes[i]) << t.format << " pack " << i;
        EXPECT_EQ(std::vector<uint8_t>({0x00, 0x00, 0x01, 0xB9}),
                  std::vector<uint8_t>(stream.bytes.end() - 4, stream.bytes.end()))
            << t.format << ": the end code after the last pack";

        CSimAvDemuxer demuxer;
        CSimAvDecoder video(AV_CODEC_ID_MPEG2VIDEO), sound(AV_CODEC_ID_MP2);
        int pictures = 0, keyPictures = 0;
        long samples = 0;
        auto onPicture = [&](AVFrame* frame) {
            EXPECT_EQ(kWidth, frame->width);
            EXPECT_EQ(kHeight, frame->height);
            ++pictures;
            keyPictures += frame->pict_type == AV_PICTURE_TYPE_I ? 1 : 0;
            return true;
        };
        auto onSound = [&](AVFrame* frame) {
            EXPECT_EQ(kRate, frame->sample_rate);
            samples += frame->nb_samples;
            return true;
        };
        SimPsPayload payload;
        int64_t lastVideoPts = -1, lastPosition = -1;
        auto drain = [&] {
            while (demuxer.NextPacket(payload)) {
                // The packet's place: its own start code, after the one before it.
                ASSERT_GT(payload.position, lastPosition) << t.format;
                ASSERT_LE(payload.position + 4, (int64_t)stream.bytes.size()) << t.format;
                const uint8_t* at = stream.bytes.data() + payload.position;
                EXPECT_EQ(std::vector<uint8_t>({0x00, 0x00, 0x01, payload.streamId}), std::vector<uint8_t>(at, at + 4))
                    << t.format << " at " << payload.position;
                lastPosition = payload.position;
                if (payload.hasPts) {
                    EXPECT_TRUE(payload.hasDts && payload.dts <= payload.pts) << t.format;
                }
                if (payload.streamId == 0xE0) {
                    video.Feed(payload.payload.data(), payload.payload.size(), onPicture);
                    if (payload.hasPts)
                        lastVideoPts = payload.pts;
                } else if (payload.streamId == 0xC0) {
                    sound.Feed(payload.payload.data(), payload.payload.size(), onSound);
                }
            }
        };
        for (size_t at = 0; at < stream.bytes.size(); at += t.piece) {
            demuxer.Feed(stream.bytes.data() + at, std::min(t.piece, stream.bytes.size() - at));
            drain();
        }
        demuxer.Finish();
        drain();
        video.Flush(onPicture);
        sound.Flush(onSound);
        EXPECT_EQ(kPictures, pictures) << t.format;
        EXPECT_EQ(3, keyPictures) << t.format << ": a group of 12 pictures";
        EXPECT_EQ(0, video.Errors()) << t.format;
        EXPECT_GE(lastVideoPts, 0) << t.format;
        // The sound's last frame may be held by the encoder.
        EXPECT_GE(samples, (long)kRate * kPictures / 25 - 2 * 1152) << t.format;
    }
}

TEST(SimAvStreamTest, SettingsTheLibraryRefusesAreReportedNotUsed)
{
    CSimAvSoundEncoder oddRate(AV_CODEC_ID_MP2, 11025, 2, 224000, 0);
    EXPECT_FALSE(oddRate.Valid());
    CSimAvSoundEncoder oddBlock(AV_CODEC_ID_ADPCM_MS, 44100, 2, 0, 1000);
    EXPECT_FALSE(oddBlock.Valid());

    CSimAvMuxer::Settings settings;
    settings.format = "no such muxer";
    CSimAvMuxer muxer(settings);
    EXPECT_FALSE(muxer.Start());
    std::vector<SimPack> packs;
    EXPECT_FALSE(muxer.Finish(packs, true));
    EXPECT_TRUE(packs.empty()) << "no end code after nothing";

    // Bytes that are no program stream give nothing, and nothing breaks.
    CSimAvDemuxer demuxer;
    std::vector<uint8_t> noise(10000);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = (uint8_t)(i * 37 + 11);
    demuxer.Feed(noise.data(), noise.size());
    demuxer.Finish();
    SimPsPayload payload;
    EXPECT_FALSE(demuxer.NextPacket(payload));
}
} // namespace
