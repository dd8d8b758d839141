#include <gtest/gtest.h>

#include <string>

#include "BitmapPainters.h"
#include "TestBitmaps.h"

namespace {

const COLORREF kKey = RGB(0, 255, 0);

// Each column of the picture below, top row first: '.' not the key colour; 'k' a key pixel
// the region loses; 's' a key pixel it keeps (a lone one on a row the scan skips); 'x' not the
// key colour yet lost, lying between key pixels on sampled rows.
const char* const kColumns[] = {
    "..kkkk..",  // run of four from an even row
    "...kk...",  // run of two from an odd row: its start is found looking back
    "...kkk..",  // odd start, odd end
    "..kkk...",  // even start, even end
    "...s....",  // lone pixel on an odd row
    "....k...",  // lone pixel on an even row
    "......kk",  // open at the bottom
    "kk......",  // from the top row
    "kxkxkxkx",  // alternating: sampled rows all key, so the column goes
    ".s.s.s.s",  // alternating the other way: nothing sampled, nothing goes
    "........",
};
const int kWidth = sizeof(kColumns) / sizeof(kColumns[0]);
const int kHeight = 8;

TEST(MakeRegionFromBitmapTest, RemovesKeyRunsColumnByColumnAsTheSparseScanSeesThem)
{
    std::string rows[kHeight];
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            char pixel = kColumns[x][y];
            rows[y] += (pixel == 'k' || pixel == 's') ? 'k' : '.';
        }
    }
    CBitmap bitmap;
    ASSERT_TRUE(MakeTestBitmap(&bitmap, rows, kHeight, {{'.', RGB(0, 0, 0)}, {'k', kKey}}));
    CRgn region;
    region.CreateEllipticRgn(0, 0, 100, 100);  // replaced, not combined with
    ASSERT_TRUE(MakeRegionFromBitmap(&region, &bitmap, kKey));
    for (int x = 0; x < kWidth; ++x) {
        for (int y = 0; y < kHeight; ++y) {
            char pixel = kColumns[x][y];
            bool inside = pixel == '.' || pixel == 's';
            EXPECT_EQ(inside, !!region.PtInRegion(x, y)) << "column " << x << " row " << y;
        }
    }
    CRect box;
    region.GetRgnBox(&box);
    EXPECT_EQ(CRect(0, 0, kWidth, kHeight), box);
}

TEST(MakeRegionFromBitmapTest, BitmapWithoutTheKeyColourGivesItsWholeRectangle)
{
    const std::string rows[] = {"abab", "baba", "abab"};
    CBitmap bitmap;
    ASSERT_TRUE(MakeTestBitmap(&bitmap, rows, 3, {{'a', RGB(0, 254, 0)}, {'b', RGB(1, 255, 0)}}));
    CRgn region, whole;
    ASSERT_TRUE(MakeRegionFromBitmap(&region, &bitmap, kKey));
    whole.CreateRectRgn(0, 0, 4, 3);
    EXPECT_TRUE(region.EqualRgn(&whole));

    CBitmap empty;
    EXPECT_FALSE(MakeRegionFromBitmap(&region, &empty, kKey));
    EXPECT_FALSE(MakeRegionFromBitmap(NULL, &bitmap, kKey));
}

// The three pieces: left end red, red, magenta, magenta; middle A, B; right end blue, blue,
// yellow. The canvas reads back one letter per pixel, '.' for untouched black.
class DrawThreePartTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const std::string left[] = {"RRMM", "RRMM"};
        const std::string middle[] = {"AB", "AB"};
        const std::string right[] = {"CCD", "CCD"};
        ASSERT_TRUE(MakeTestBitmap(&m_left, left, 2, kPalette));
        ASSERT_TRUE(MakeTestBitmap(&m_middle, middle, 2, kPalette));
        ASSERT_TRUE(MakeTestBitmap(&m_right, right, 2, kPalette));
    }
    std::string Draw(int left, int right, BOOL stretch)
    {
        CTestCanvas canvas(40, 4);
        EXPECT_TRUE(DrawThreePart(canvas.DC(), CRect(left, 1, right, 3), &m_left, &m_middle,
                                  &m_right, stretch));
        std::string line;
        for (int x = 8; x < 32; ++x) {
            COLORREF pixel = canvas.At(x, 2);
            char letter = '?';
            for (const auto& entry : kPalette)
                if (entry.second == pixel)
                    letter = entry.first;
            line += letter;
        }
        EXPECT_EQ(RGB(0, 0, 0), canvas.At(left, 0)) << "drawn above the rectangle";
        return line;
    }

    const Palette kPalette = {{'.', RGB(0, 0, 0)},     {'R', RGB(255, 0, 0)},
                              {'M', RGB(255, 0, 255)}, {'A', RGB(0, 128, 0)},
                              {'B', RGB(0, 0, 128)},   {'C', RGB(0, 0, 255)},
                              {'D', RGB(255, 255, 0)}};
    CBitmap m_left, m_middle, m_right;
};

TEST_F(DrawThreePartTest, PlacesEndsAndMiddleCopiedOrStretched)
{
    // Pixels from x = 8 on; '*' stands for the one column where a stretch may round either way.
    struct Row
    {
        int left, right;
        BOOL stretch;
        const char* expected;
    } rows[] = {
        // Wider than both ends: middle tiled from the gap's left edge, or stretched over it.
        {10, 30, FALSE, "..RRMMABABABABABABACCD.."},
        {10, 30, TRUE, "..RRMMAAAAAA*BBBBBBCCD.."},
        // Narrower than both ends: the right end overlaps the left one, no middle.
        {10, 15, FALSE, "..RRCCD................."},
        {10, 15, TRUE, "..RRCCD................."},
        // Narrower than the left end alone: it is clipped or squeezed, nothing else drawn.
        {10, 12, FALSE, "..RR...................."},
        {10, 12, TRUE, "..RM...................."},
    };
    for (const Row& row : rows) {
        std::string drawn = Draw(row.left, row.right, row.stretch);
        std::string expected = row.expected;
        for (size_t i = 0; i < expected.size(); ++i)
            if (expected[i] == '*')
                drawn[i] = '*';
        EXPECT_EQ(expected, drawn) << row.left << ".." << row.right << " stretch " << row.stretch;
    }
}

TEST_F(DrawThreePartTest, PaintersRefuseMissingArguments)
{
    CBitmap none;
    CTestCanvas canvas(8, 8);
    CRect rect(0, 0, 4, 4);
    EXPECT_FALSE(DrawThreePart(canvas.DC(), rect, &m_left, &none, &m_right, FALSE));
    EXPECT_FALSE(DrawThreePart(NULL, rect, &m_left, &m_middle, &m_right, TRUE));
    EXPECT_FALSE(BlitBitmap(canvas.DC(), rect, &none));
    EXPECT_FALSE(TileBitmap(canvas.DC(), rect, NULL));
    EXPECT_FALSE(TileBitmapBuffered(NULL, rect, &m_middle));
    EXPECT_FALSE(StretchBitmap(canvas.DC(), rect, &none));
    EXPECT_FALSE(StretchBitmapBuffered(canvas.DC(), rect, NULL));
    EXPECT_FALSE(LoadBitmapResource(&none, 0));
    EXPECT_EQ(0, GetBitmapWidth(&none));
    EXPECT_EQ(4, GetBitmapWidth(&m_left));
    EXPECT_EQ(2, GetBitmapHeight(&m_left));
    // A source rectangle picks the part stretched: here the middle's B half alone.
    CRect source(1, 0, 2, 2);
    EXPECT_TRUE(StretchBitmap(canvas.DC(), CRect(0, 0, 3, 2), &m_middle, &source));
    EXPECT_EQ(RGB(0, 0, 128), canvas.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 128), canvas.At(2, 1));
    EXPECT_EQ(RGB(0, 0, 0), canvas.At(3, 1));
}

} // namespace
