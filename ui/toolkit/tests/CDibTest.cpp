// The image class over the image library: pictures the tests write as BMP files, transformed,
// converted, saved in every form and read back from BMP files the class writes.
#include <gtest/gtest.h>

#include "CDib.h"
#include "DibFiles.h"
#include "ImageLoad.h"

#include "ParentWindow.h"
#include "TempFolder.h"
#include "WindowPixels.h"

#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0, kGrey = 0x808080;

RGBQUAD Entry(DWORD rgb)
{
    return RGBQUAD{(BYTE)rgb, (BYTE)(rgb >> 8), (BYTE)(rgb >> 16), 0};
}

DWORD Rgb(const RGBQUAD& entry)
{
    return (DWORD)entry.rgbRed << 16 | entry.rgbGreen << 8 | entry.rgbBlue;
}

enum Corner { TL, TR, BL, BR, BG };

// One picture of each depth: the raw values of its four corners and of the rest. At 1 bit only
// the top-left corner is set; above, the corners are red, green, blue and white on black.
struct DepthFixture
{
    int bitCount;
    DWORD values[5];  // by Corner
};
const DepthFixture kDepths[] = {
    // bitCount  TL        TR        BL        BR        BG
    {1,         {1,       0,        0,        0,        0}},
    {4,         {1,       2,        3,        4,        0}},
    {8,         {1,       2,        3,        4,        0}},
    {16,        {0x7C00,  0x03E0,   0x001F,   0x7FFF,   0}},
    {24,        {kRed,    kGreen,   kBlue,    kWhite,   kBlack}},
    {32,        {kRed,    kGreen,   kBlue,    kWhite,   kBlack}},
};

// Index 0 black, 1 red, 2 green, 3 blue, 4 white, the rest grey (a 1-bit table: black, white).
std::vector<RGBQUAD> FixtureTable(int bitCount)
{
    if (bitCount == 1)
        return {Entry(kBlack), Entry(kWhite)};
    std::vector<RGBQUAD> table(bitCount <= 8 ? 1u << bitCount : 0u, Entry(kGrey));
    const DWORD first[] = {kBlack, kRed, kGreen, kBlue, kWhite};
    for (int i = 0; i < 5 && i < (int)table.size(); ++i)
        table[i] = Entry(first[i]);
    return table;
}

// Corners single pixels (quadrant false) or quadrants of the picture (quadrant true).
DibPicture MakePicture(const DepthFixture& fixture, int width, int height, bool quadrants)
{
    DibPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = fixture.bitCount;
    picture.table = FixtureTable(fixture.bitCount);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool left = quadrants ? x < width / 2 : x == 0, right = quadrants ? x >= width / 2 : x == width - 1;
            bool top = quadrants ? y < height / 2 : y == 0, bottom = quadrants ? y >= height / 2 : y == height - 1;
            Corner corner = top && left ? TL : top && right ? TR : bottom && left ? BL : bottom && right ? BR : BG;
            picture.pixels.push_back(fixture.values[corner]);
        }
    }
    return picture;
}

class CDibTest : public testing::Test
{
protected:
    // Loads the picture through a BMP file of its own.
    void Load(CDib& dib, const DibPicture& picture)
    {
        std::string path = m_folder.FilePath("fixture.bmp");
        ASSERT_TRUE(picture.WriteBmp(path));
        ASSERT_TRUE(dib.Load(path.c_str())) << dib.GetErrorCode();
    }

    // What the class holds, through a BMP file it saves.
    DibPicture ReadBack(CDib& dib)
    {
        DibPicture picture;
        std::string path = m_folder.FilePath("back.bmp");
        EXPECT_TRUE(dib.Save(path.c_str())) << dib.GetErrorCode();
        EXPECT_TRUE(DibPicture::ReadBmp(path, &picture));
        return picture;
    }

    TempFolder m_folder;
};

std::string Where(const DepthFixture& fixture, const char* what)
{
    return std::to_string(fixture.bitCount) + " bits, " + what;
}
}

TEST_F(CDibTest, TransformsPutTheRightCornersAtEveryDepth)
{
    struct Case
    {
        const char* name;
        std::function<BOOL(CDib&)> apply;
        int width, height;  // of the 5 x 3 picture after it
        Corner tl, tr, bl, br;
    } cases[] = {
        {"whole crop", [](CDib& d) { return d.Crop(-1, -1, -1, -1); }, 5, 3, TL, TR, BL, BR},
        {"reversed crop", [](CDib& d) { return d.Crop(4, 2, 1, 0); }, 4, 3, BG, TR, BG, BR},
        {"clamped crop", [](CDib& d) { return d.Crop(-7, -7, 0, 0); }, 1, 1, TL, TL, TL, TL},
        {"resize", [](CDib& d) { return d.Resize(10, 6); }, 10, 6, TL, TR, BL, BR},
        {"rotate 90", [](CDib& d) { return d.Rotate(90); }, 3, 5, BL, TL, BR, TR},
        {"rotate 180", [](CDib& d) { return d.Rotate(180); }, 5, 3, BR, BL, TR, TL},
        {"rotate 270", [](CDib& d) { return d.Rotate(270); }, 3, 5, TR, BR, TL, BL},
        {"flip vertical", [](CDib& d) { return d.FlipVertical(); }, 5, 3, BL, BR, TL, TR},
        {"flip horizontal", [](CDib& d) { return d.FlipHorizontal(); }, 5, 3, TR, TL, BR, BL},
    };
    for (const DepthFixture& fixture : kDepths) {
        for (const Case& c : cases) {
            CDib dib;
            Load(dib, MakePicture(fixture, 5, 3, false));
            ASSERT_TRUE(c.apply(dib)) << Where(fixture, c.name);
            EXPECT_EQ(CDib::kOk, dib.GetErrorCode());
            DibPicture after = ReadBack(dib);
            ASSERT_EQ(c.width, after.width) << Where(fixture, c.name);
            ASSERT_EQ(c.height, after.height) << Where(fixture, c.name);
            EXPECT_EQ(fixture.bitCount, after.bitCount) << Where(fixture, c.name);
            EXPECT_EQ(fixture.values[c.tl], after.TopLeft()) << Where(fixture, c.name);
            EXPECT_EQ(fixture.values[c.tr], after.TopRight()) << Where(fixture, c.name);
            EXPECT_EQ(fixture.values[c.bl], after.BottomLeft()) << Where(fixture, c.name);
            EXPECT_EQ(fixture.values[c.br], after.BottomRight()) << Where(fixture, c.name);
        }
    }
}
