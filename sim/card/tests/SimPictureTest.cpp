#include "CSimPicture.h"
#include "CSimSound.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{
const LONG W = 320;
const LONG H = 240;

SimPictureInput Station(int index, DWORD kHz)
{
    SimPictureInput in = {};
    in.signal = true;
    in.outputEnabled = true;
    in.stationIndex = index;
    in.idWord = 1u << 28 | (DWORD)index << 20 | kHz;
    for (LONG& v : in.procAmp)
        v = 5000;
    in.procAmp[6] = 1;
    return in;
}

std::vector<BYTE> Render(const SimPictureInput& in, DWORD frame, const char* format, LONG w = W, LONG h = H,
                         bool topDown = false)
{
    const SimVideoFormatInfo* info = CSimVideoFormats::ByName(format);
    std::vector<BYTE> out(CSimVideoFormats::ImageSize(*info, w, h), 0xEE);
    CSimPicture::Render(in, frame, *info, w, h, topDown, out.data());
    return out;
}

// Y of pixel (x, y) in a YUY2 frame.
BYTE Luma(const std::vector<BYTE>& f, LONG x, LONG y)
{
    return f[(size_t)y * W * 2 + 2 * x];
}

DWORD Word(const std::vector<BYTE>& f, LONG row)
{
    DWORD word = 0;
    for (int cell = 0; cell < 32; ++cell)
        word = word << 1 | (Luma(f, (2 * cell + 1) * W / 64, row) > 128 ? 1 : 0);
    return word;
}
}

TEST(SimPictureTest, BandsCarryTheIdWordAndTheFrameNumber)
{
    std::vector<BYTE> f = Render(Station(1, 471250), 77, "YUY2");
    EXPECT_EQ(0x101730D2u, Word(f, 0));
    EXPECT_EQ(0x101730D2u, Word(f, H / 8 - 1));
    EXPECT_EQ(77u, Word(f, H / 8));
    EXPECT_EQ(77u, Word(f, H / 4 - 1));
}

TEST(SimPictureTest, BarsRotateWithTheStationAndTheStripeMoves)
{
    // Yellow (Y 162) is the second bar; station 1 moves it to the first place.
    std::vector<BYTE> station0 = Render(Station(0, 49750), 0, "YUY2");
    std::vector<BYTE> station1 = Render(Station(1, 471250), 0, "YUY2");
    LONG barX = W / 16;
    EXPECT_EQ(180, Luma(station0, barX, H / 2));
    EXPECT_EQ(162, Luma(station1, barX, H / 2));
    EXPECT_EQ(162, Luma(station0, barX + W / 8, H / 2));
    // The stripe is w/32 wide at x = 8 * frame.
    std::vector<BYTE> frame5 = Render(Station(0, 49750), 5, "YUY2");
    EXPECT_EQ(235, Luma(frame5, 40, H / 2));
    EXPECT_EQ(235, Luma(frame5, 49, H / 2));
    EXPECT_EQ(162, Luma(frame5, 50, H / 2));
}

TEST(SimPictureTest, ProcAmpActsOnTheBarsOnly)
{
    SimPictureInput in = Station(0, 49750);
    in.procAmp[0] = 10000;                          // brightness: +109
    in.procAmp[6] = 0;                              // no colour
    std::vector<BYTE> f = Render(in, 0, "YUY2");
    EXPECT_EQ(0x1000C256u, Word(f, 0));
    EXPECT_EQ(125, Luma(f, 7 * W / 8 + W / 16, H / 2));    // black bar, 16 + 109
    EXPECT_EQ(128, f[(size_t)(H / 2) * W * 2 + 2 * (W / 16 + W / 8) + 1]);
    EXPECT_EQ(128, f[(size_t)(H / 2) * W * 2 + 2 * (W / 16 + W / 8) + 3]);
}

TEST(SimPictureTest, NoSignalIsNoiseAndNoOutputIsBlack)
{
    SimPictureInput in = Station(0, 49750);
    in.signal = false;
    std::vector<BYTE> a = Render(in, 1, "YUY2");
    std::vector<BYTE> b = Render(in, 2, "YUY2");
    std::set<BYTE> lumas;
    for (LONG x = 0; x < W; ++x) {
        BYTE y = Luma(a, x, 10);
        EXPECT_TRUE(y >= 16 && y <= 235);
        lumas.insert(y);
    }
    EXPECT_GT(lumas.size(), 100u);
    EXPECT_NE(a, b);
    EXPECT_EQ(a, Render(in, 1, "YUY2"));

    in.outputEnabled = false;
    std::vector<BYTE> black = Render(in, 1, "YUY2");
    for (size_t i = 0; i < black.size(); i += 2) {
        ASSERT_EQ(16, black[i]);
        ASSERT_EQ(128, black[i + 1]);
    }
}

TEST(SimPictureTest, EveryFormatFillsItsImageExactly)
{
    SimPictureInput in = Station(2, 184250);
    for (const char* name : { "YUY2", "UYVY", "YV12", "YVU9", "RGB24", "RGB555", "CXF1", "CXF2", "I420" }) {
        const SimVideoFormatInfo* info = CSimVideoFormats::ByName(name);
        DWORD size = CSimVideoFormats::ImageSize(*info, 176, 144);
        std::vector<BYTE> out(size + 16, 0xEE);
        CSimPicture::Render(in, 0, *info, 176, 144, false, out.data());
        for (size_t i = size; i < out.size(); ++i)
            ASSERT_EQ(0xEE, out[i]) << name << " wrote past its image";
    }
    EXPECT_EQ(Render(in, 3, "YUY2"), Render(in, 3, "CXF1"));
}

TEST(SimPictureTest, PackedAndPlanarLayouts)
{
    SimPictureInput in = Station(0, 49750);
    std::vector<BYTE> yuy2 = Render(in, 0, "YUY2");
    std::vector<BYTE> uyvy = Render(in, 0, "UYVY");
    for (size_t i = 0; i < yuy2.size(); i += 2) {
        ASSERT_EQ(yuy2[i], uyvy[i + 1]);
        ASSERT_EQ(yuy2[i + 1], uyvy[i]);
    }
    // YV12: the Y plane equals YUY2's luma; V (red bar: 212) comes before U (100).
    std::vector<BYTE> yv12 = Render(in, 0, "YV12");
    EXPECT_EQ(Luma(yuy2, 5, 3), yv12[3 * W + 5]);
    LONG redX = 5 * W / 8 + 4;
    size_t vPlane = (size_t)W * H;
    size_t uPlane = vPlane + (size_t)(W / 2) * (H / 2);
    EXPECT_EQ(212, yv12[vPlane + (H / 4) * (W / 2) + redX / 2]);
    EXPECT_EQ(100, yv12[uPlane + (H / 4) * (W / 2) + redX / 2]);
    // I420: the same planes with U first.
    std::vector<BYTE> i420 = Render(in, 0, "I420");
    EXPECT_EQ(std::vector<BYTE>(yv12.begin(), yv12.begin() + vPlane), std::vector<BYTE>(i420.begin(), i420.begin() + vPlane));
    EXPECT_EQ(100, i420[vPlane + (H / 4) * (W / 2) + redX / 2]);
    EXPECT_EQ(212, i420[uPlane + (H / 4) * (W / 2) + redX / 2]);
}

TEST(SimPictureTest, RgbIsBottomUpUnlessTopDown)
{
    SimPictureInput in = Station(0, 49750);
    std::vector<BYTE> up = Render(in, 0, "RGB24");
    std::vector<BYTE> down = Render(in, 0, "RGB24", W, H, true);
    size_t stride = W * 3;
    // The first ID cell is 0 (black), the fourth is 1 (white): top row of the picture.
    EXPECT_EQ(0, down[0]);
    EXPECT_EQ(255, down[3 * (3 * W / 32 + 2)]);
    EXPECT_EQ(255, up[(H - 1) * stride + 3 * (3 * W / 32 + 2)]);
    // The white bar, 75 %: Y 180 gives RGB 191.
    EXPECT_EQ(191, down[(H / 2) * stride + 3 * 20]);
}

TEST(SimSoundTest, ToneContinuesItsPhaseAcrossBuffers)
{
    CSimSound sound;
    SimSoundInput tone = { SimSoundInput::SOUND_TONE, 1000, 0.5 };
    std::vector<BYTE> a(400), b(400);
    sound.Render(tone, 8000, 1, 16, a.data(), 400);
    sound.Render(tone, 8000, 1, 16, b.data(), 400);
    // 1000 Hz at 8000 Hz: eight samples a period, so buffers of 200 samples repeat exactly.
    EXPECT_EQ(a, b);
    short peak = 0;
    for (size_t i = 0; i < a.size(); i += 2)
        peak = std::max(peak, (short)(a[i] | a[i + 1] << 8));
    EXPECT_NEAR(16383, peak, 2);
}

TEST(SimSoundTest, SilenceAndEightBitCentre)
{
    CSimSound sound;
    SimSoundInput silence = { SimSoundInput::SOUND_SILENCE, 0, 0 };
    std::vector<BYTE> eight(64, 0xEE), sixteen(64, 0xEE);
    sound.Render(silence, 22050, 2, 8, eight.data(), 64);
    sound.Render(silence, 22050, 2, 16, sixteen.data(), 64);
    EXPECT_EQ(std::vector<BYTE>(64, 128), eight);
    EXPECT_EQ(std::vector<BYTE>(64, 0), sixteen);
}
