// The MPEG-4 stream's layout as a decoder meets it: the stream headers once, then one I-VOP
// per picture, each ending byte-aligned. Whether the pictures decode is FFmpeg's to say on
// the recordings the graph tests make.
#include "CSimMp4vEncoder.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Offsets of every 00 00 01 xx start code, with xx.
std::vector<std::pair<size_t, uint8_t>> StartCodes(const std::vector<uint8_t>& stream)
{
    std::vector<std::pair<size_t, uint8_t>> codes;
    for (size_t i = 0; i + 3 < stream.size(); ++i) {
        if (stream[i] == 0 && stream[i + 1] == 0 && stream[i + 2] == 1)
            codes.push_back({i, stream[i + 3]});
    }
    return codes;
}

SimPicture Ramp(int width, int height)
{
    SimPicture picture;
    picture.Allocate(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.y[(size_t)y * width + x] = (uint8_t)(16 + (x + y) % 220);
    }
    return picture;
}
}

TEST(SimMp4vEncoderTest, HeadersComeOnceBeforeTheFirstVopAndEveryPictureIsAnIntraVop)
{
    SimMp4vSettings settings;
    settings.width = 352;
    settings.height = 288;
    CSimMp4vEncoder encoder(settings);
    SimPicture picture = Ramp(352, 288);
    std::vector<uint8_t> first, second;
    encoder.Encode(picture, 7, first);
    encoder.Encode(picture, 7, second);

    std::vector<std::pair<size_t, uint8_t>> codes = StartCodes(first);
    ASSERT_EQ(5u, codes.size());
    const uint8_t expected[] = {0xB0, 0xB5, 0x00, 0x20, 0xB6};
    for (size_t i = 0; i < codes.size(); ++i)
        EXPECT_EQ(expected[i], codes[i].second) << "start code " << i;
    EXPECT_EQ(0u, codes[0].first);
    EXPECT_EQ(0x03, first[4]) << "Simple Profile level 3 holds CIF";

    codes = StartCodes(second);
    ASSERT_EQ(1u, codes.size());
    EXPECT_EQ(0u, codes[0].first);
    EXPECT_EQ(0xB6, codes[0].second);
    EXPECT_EQ(0, second[4] >> 6) << "coding type I";
}

// A picture whose size is no multiple of 16 is coded over its edge macroblocks, and a larger
// picture announces the level that holds it.
TEST(SimMp4vEncoderTest, PicturesOfEverySizeGetTheirLevel)
{
    struct Case
    {
        int width, height, level;
    };
    const Case cases[] = {{320, 240, 0x03}, {640, 480, 0x04}, {720, 576, 0x05}, {1280, 720, 0x06}};
    for (const Case& c : cases) {
        SimMp4vSettings settings;
        settings.width = c.width;
        settings.height = c.height;
        CSimMp4vEncoder encoder(settings);
        std::vector<uint8_t> out;
        encoder.Encode(Ramp(c.width, c.height), 4, out);
        ASSERT_GT(out.size(), 5u) << c.width;
        EXPECT_EQ(c.level, out[4]) << c.width << "x" << c.height;
    }
}
