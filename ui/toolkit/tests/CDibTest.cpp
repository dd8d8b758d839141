// The image class over the image library: pictures the tests write as BMP files, transformed,
// converted, saved in every form and read back from BMP files the class writes.
#include <gtest/gtest.h>

#include "CDib.h"
#include "DibFiles.h"
#include "ImageLoad.h"

#include "HelperProcess.h"
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

// Each form written through the library starts with its signature and reads back with the
// picture's colours: exactly, JPEG within a tolerance.
TEST_F(CDibTest, EachFormSavesAndLoadsBack)
{
    const DepthFixture& eight = kDepths[2];
    const DepthFixture& full = kDepths[4];
    struct Case
    {
        const DepthFixture* fixture;
        const char* name;
        std::string signature;
        int loadedBitCount;
        int tolerance;
    } cases[] = {
        {&kDepths[0], "a.bmp", "BM", 1, 0},
        {&kDepths[1], "b.bmp", "BM", 4, 0},
        {&eight, "c.bmp", "BM", 8, 0},
        {&kDepths[3], "d.bmp", "BM", 16, 0},
        {&full, "e.BMP", "BM", 24, 0},
        {&kDepths[5], "f.bmp", "BM", 32, 0},
        {&eight, "a.gif", "GIF8", 8, 0},
        {&full, "b.gif", "GIF8", 8, 0},
        {&eight, "a.pcx", std::string("\x0A\x05\x01", 3), 8, 0},
        {&full, "b.pcx", std::string("\x0A\x05\x01", 3), 24, 0},
        {&eight, "a.tga", "", 24, 0},
        {&full, "b.tga", "", 24, 0},
        {&full, "a.jpg", "\xFF\xD8\xFF", 24, 24},
        {&eight, "a.tif", "", 24, 0},
        {&full, "b.tif", "", 24, 0},
    };
    for (const Case& c : cases) {
        // Quadrants of 16 x 16: JPEG's colour blocks (16 x 16 pixels) never straddle two.
        DibPicture source = MakePicture(*c.fixture, 32, 32, true);
        CDib dib;
        Load(dib, source);
        std::string path = m_folder.FilePath(c.name);
        ASSERT_TRUE(dib.Save(path.c_str())) << c.name << " " << dib.GetErrorCode();
        std::string bytes = m_folder.Read(c.name);
        std::string extension = path.substr(path.size() - 3);
        if (extension == "tga")  // no signature at the start: the TGA 2 footer
            EXPECT_EQ(std::string("TRUEVISION-XFILE.\0", 18), bytes.substr(bytes.size() - 18)) << c.name;
        else if (extension == "tif")
            EXPECT_TRUE(bytes.compare(0, 4, std::string("II*\0", 4)) == 0 || bytes.compare(0, 4, std::string("MM\0*", 4)) == 0)
                << c.name;
        else
            EXPECT_EQ(c.signature, bytes.substr(0, c.signature.size())) << c.name;

        CDib loaded;
        ASSERT_TRUE(loaded.Load(path.c_str())) << c.name << " " << loaded.GetErrorCode();
        DibPicture back = ReadBack(loaded);
        EXPECT_EQ(c.loadedBitCount, back.bitCount) << c.name;
        ASSERT_EQ(32, back.width) << c.name;
        ASSERT_EQ(32, back.height) << c.name;
        int worst = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                DWORD want = source.ColourAt(x, y), got = back.ColourAt(x, y);
                for (int shift = 0; shift < 24; shift += 8)
                    worst = std::max(worst, abs((int)((want >> shift) & 0xFF) - (int)((got >> shift) & 0xFF)));
            }
        }
        EXPECT_LE(worst, c.tolerance) << c.name;
    }
}

// The quality, 100 unless set, goes to the library with the picture. (Wine's JPEG encoder takes
// the quality option and ignores it, so the files themselves do not differ.)
TEST_F(CDibTest, JpegQualityGoesToTheLibrary)
{
    CDib dib;
    Load(dib, MakePicture(kDepths[4], 8, 8, true));
    EXPECT_EQ(100, dib.GetJpegQuality());
    std::string best = m_folder.FilePath("best.jpg"), low = m_folder.FilePath("low.JPG");
    ASSERT_TRUE(dib.Save(best.c_str()));
    dib.SetJpegQuality(10);
    ASSERT_TRUE(dib.Save(low.c_str(), CDib::kSaveByExtension));
    std::string log = TempFolder::ReadWholeFile("C:\\sim\\log\\imageload.log");
    EXPECT_NE(std::string::npos, log.find("S JPG " + best + " 0 q=100\r\n"));
    EXPECT_NE(std::string::npos, log.find("S JPG " + low + " 0 q=10\r\n"));
}

// Corners as raw values after a change of depth with the fixed palette: the nearest entry at 1,
// 4 and 8 bits (of the fixed palette from 16 bits up, else of the source's first entries),
// 5-5-5 words at 16 bits.
TEST_F(CDibTest, ChangeBitDepthBetweenEveryPairOfDepths)
{
    const DWORD R = kRed, G = kGreen, B = kBlue, W = kWhite;
    struct Case
    {
        int from, to;
        DWORD tl, tr, bl, br;
    } cases[] = {
        // from 1 bit: white top-left on black
        {1, 4, 1, 0, 0, 0}, {1, 8, 1, 0, 0, 0}, {1, 16, 0x7FFF, 0, 0, 0}, {1, 24, W, 0, 0, 0}, {1, 32, W, 0, 0, 0},
        // from the fixture's table: black, red, green, blue, white, grey...; at 1 bit its first two
        // entries, black and red, and white, far from both, still finds red
        {4, 1, 1, 0, 0, 1}, {4, 8, 1, 2, 3, 4}, {4, 16, 0x7C00, 0x03E0, 0x001F, 0x7FFF}, {4, 24, R, G, B, W},
        {4, 32, R, G, B, W},
        {8, 1, 1, 0, 0, 1}, {8, 4, 1, 2, 3, 4}, {8, 16, 0x7C00, 0x03E0, 0x001F, 0x7FFF}, {8, 24, R, G, B, W},
        {8, 32, R, G, B, W},
        // from 16 bits up: the fixed palette, white 0, black 1, red 2, blue 3, green 4
        {16, 1, 1, 1, 1, 0}, {16, 4, 2, 4, 3, 0}, {16, 8, 2, 4, 3, 0}, {16, 24, 0xF80000, 0x00F800, 0x0000F8, 0xF8F8F8},
        {16, 32, 0xF80000, 0x00F800, 0x0000F8, 0xF8F8F8},
        {24, 1, 1, 1, 1, 0}, {24, 4, 2, 4, 3, 0}, {24, 8, 2, 4, 3, 0}, {24, 16, 0x7C00, 0x03E0, 0x001F, 0x7FFF},
        {24, 32, R, G, B, W},
        {32, 1, 1, 1, 1, 0}, {32, 4, 2, 4, 3, 0}, {32, 8, 2, 4, 3, 0}, {32, 16, 0x7C00, 0x03E0, 0x001F, 0x7FFF},
        {32, 24, R, G, B, W},
    };
    for (const Case& c : cases) {
        const DepthFixture* fixture = nullptr;
        for (const DepthFixture& f : kDepths)
            if (f.bitCount == c.from)
                fixture = &f;
        std::string where = std::to_string(c.from) + " to " + std::to_string(c.to);
        CDib dib;
        Load(dib, MakePicture(*fixture, 5, 3, false));
        ASSERT_TRUE(dib.ChangeBitDepth(c.to)) << where;
        EXPECT_EQ(c.to, dib.GetBitCount()) << where;
        EXPECT_EQ(c.to <= 8 ? 1 << c.to : 0, dib.GetColorCount()) << where;
        DibPicture after = ReadBack(dib);
        ASSERT_EQ(c.to, after.bitCount) << where;
        EXPECT_EQ(c.tl, after.TopLeft()) << where;
        EXPECT_EQ(c.tr, after.TopRight()) << where;
        EXPECT_EQ(c.bl, after.BottomLeft()) << where;
        EXPECT_EQ(c.br, after.BottomRight()) << where;
    }
}

// Entry 16i + j is base colour j at (L - i) / L of its brightness, L = (N + 15) / 16; tables
// grown from a smaller one keep its entries and are black past them.
TEST_F(CDibTest, NewTablesAreTheFixedPaletteOrTheSourcesFirstEntries)
{
    struct Case
    {
        int from, to, index;
        DWORD colour;
    } cases[] = {
        {24, 1, 0, kWhite}, {24, 1, 1, kBlack},
        {24, 4, 5, 0x969696}, {24, 4, 12, 0xFF7878}, {24, 4, 15, 0x5A5A5A},
        {24, 8, 2, kRed}, {24, 8, 16, 0xEFEFEF}, {24, 8, 18, 0xEF0000}, {24, 8, 240, 0x0F0F0F}, {24, 8, 255, 0x050505},
        {16, 8, 29, 0x70EF70},  // base 13, (120, 255, 120), at 15/16
        {4, 8, 5, kGrey}, {4, 8, 16, kBlack}, {4, 8, 255, kBlack},
        {1, 8, 1, kWhite}, {1, 8, 2, kBlack},
        {8, 4, 4, kWhite}, {8, 1, 1, kRed},
    };
    for (const Case& c : cases) {
        const DepthFixture* fixture = nullptr;
        for (const DepthFixture& f : kDepths)
            if (f.bitCount == c.from)
                fixture = &f;
        std::string where = std::to_string(c.from) + " to " + std::to_string(c.to) + " entry " + std::to_string(c.index);
        CDib dib;
        Load(dib, MakePicture(*fixture, 5, 3, false));
        ASSERT_TRUE(dib.ChangeBitDepth(c.to)) << where;
        RGBQUAD* table = dib.CopyColorTable();
        ASSERT_NE(nullptr, table) << where;
        EXPECT_EQ(c.colour, Rgb(table[c.index])) << where;
        delete[] table;
    }
}

// From 24 bits with the library's builders: the table holds the picture's five colours, and
// every pixel shows its own colour through it.
TEST_F(CDibTest, PopularityAndMedianCutTablesAreTheOnesThePixelsUse)
{
    for (int method : {CDib::kPopularity, CDib::kMedianCut}) {
        for (int bits : {4, 8}) {
            std::string where = "method " + std::to_string(method) + ", " + std::to_string(bits) + " bits";
            DibPicture source = MakePicture(kDepths[4], 5, 3, false);
            CDib dib;
            Load(dib, source);
            dib.SetPaletteMethod(method);
            ASSERT_TRUE(dib.ChangeBitDepth(bits)) << where;
            DibPicture after = ReadBack(dib);
            ASSERT_EQ(bits, after.bitCount) << where;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x)
                    EXPECT_EQ(source.ColourAt(x, y), after.ColourAt(x, y)) << where << " at " << x << "," << y;
        }
    }
}

TEST_F(CDibTest, WithoutAPictureEveryOperationAnswersNoPicture)
{
    HDC memory = CreateCompatibleDC(NULL);
    CDC* dc = CDC::FromHandle(memory);
    std::string path = m_folder.FilePath("empty.bmp");
    struct Case
    {
        const char* name;
        std::function<BOOL(CDib&)> apply;
    } cases[] = {
        {"Save", [&](CDib& d) { return d.Save(path.c_str()); }},
        {"Draw", [&](CDib& d) { return d.Draw(dc, 0, 0); }},
        {"ApplyPalette", [&](CDib& d) { return d.ApplyPalette(dc); }},
        {"GetColorTable", [](CDib& d) { RGBQUAD table[256]; return d.GetColorTable(table); }},
        {"CopyColorTable", [](CDib& d) { return (BOOL)(d.CopyColorTable() != NULL); }},
        {"Copy", [](CDib& d) { CDib other; return d.Copy(other); }},
        {"Crop", [](CDib& d) { return d.Crop(0, 0, 1, 1); }},
        {"Resize", [](CDib& d) { return d.Resize(2, 2); }},
        {"Rotate", [](CDib& d) { return d.Rotate(90); }},
        {"FlipVertical", [](CDib& d) { return d.FlipVertical(); }},
        {"FlipHorizontal", [](CDib& d) { return d.FlipHorizontal(); }},
        {"ChangeBitDepth", [](CDib& d) { return d.ChangeBitDepth(8); }},
    };
    for (const Case& c : cases) {
        CDib dib;
        EXPECT_FALSE(c.apply(dib)) << c.name;
        EXPECT_EQ(CDib::kNoPicture, dib.GetErrorCode()) << c.name;
        EXPECT_FALSE(dib.HasPicture()) << c.name;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    DeleteDC(memory);
}

// A failed save, rotation or copy leaves the picture as it was; a failed load leaves none.
TEST_F(CDibTest, ErrorsAnswerTheirCodes)
{
    CDib dib;
    Load(dib, MakePicture(kDepths[4], 5, 3, false));
    std::string png = m_folder.FilePath("shot.png");
    EXPECT_FALSE(dib.Save(png.c_str()));
    EXPECT_EQ(CDib::kUnknownFileType, dib.GetErrorCode());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(png.c_str()));
    EXPECT_FALSE(dib.Save(m_folder.FilePath("shot.bmp").c_str(), 7));
    EXPECT_EQ(CDib::kUnknownFileType, dib.GetErrorCode());
    EXPECT_FALSE(dib.Rotate(45));
    EXPECT_EQ(CDib::kBadAngle, dib.GetErrorCode());
    EXPECT_EQ(nullptr, dib.CopyColorTable());
    EXPECT_EQ(CDib::kNoColorTable, dib.GetErrorCode());
    CDib empty;
    EXPECT_FALSE(dib.Copy(empty));
    EXPECT_EQ(CDib::kNoPicture, dib.GetErrorCode());
    DibPicture after = ReadBack(dib);
    EXPECT_EQ(5, after.width);
    EXPECT_EQ(3, after.height);
    EXPECT_EQ(kRed, after.TopLeft());
    EXPECT_EQ(kWhite, after.BottomRight());

    std::string bmp = m_folder.Read("back.bmp");
    struct Case
    {
        const char* name;
        std::string bytes;
        int error;
    } loads[] = {
        {"x.png", "\x89PNG\r\n\x1A\n" + std::string(40, '\0'), CDib::kUnknownFileType},
        {"x.bmp", "", CDib::kUnknownFileType},
        {"cut.bmp", bmp.substr(0, 70), kPicLibReadError},
    };
    for (const Case& c : loads) {
        ASSERT_TRUE(dib.Load(m_folder.FilePath("back.bmp").c_str()));
        EXPECT_FALSE(dib.Load(m_folder.Write(c.name, c.bytes).c_str())) << c.name;
        EXPECT_EQ(c.error, dib.GetErrorCode()) << c.name;
        EXPECT_FALSE(dib.HasPicture()) << c.name;
        EXPECT_EQ(0, dib.GetWidth()) << c.name;
    }
    EXPECT_FALSE(dib.Load(m_folder.FilePath("missing.bmp").c_str()));
    EXPECT_EQ(CDib::kUnknownFileType, dib.GetErrorCode());

    IMGINFO info = {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(CDib::kUnknownFileType, dib.GetInfo(m_folder.FilePath("x.png").c_str(), &info));
    EXPECT_EQ(kPicLibReadError, dib.GetInfo(m_folder.FilePath("cut.bmp").c_str(), &info));
    ASSERT_EQ(0, dib.GetInfo(m_folder.FilePath("back.bmp").c_str(), &info));
    EXPECT_EQ(5, info.width);
    EXPECT_EQ(3, info.height);
    EXPECT_EQ(24, info.bitCount);
    EXPECT_EQ(kPicFileBmp, info.fileType);
}

TEST_F(CDibTest, CopyDuplicatesThePicture)
{
    CDib source, copy;
    Load(source, MakePicture(kDepths[2], 5, 3, false));
    ASSERT_TRUE(copy.Copy(source));
    EXPECT_EQ(5, copy.GetWidth());
    EXPECT_EQ(8, copy.GetBitCount());
    EXPECT_EQ(256, copy.GetColorCount());
    EXPECT_EQ(1024, copy.GetColorTableSize());
    ASSERT_TRUE(copy.Rotate(90));
    DibPicture original = ReadBack(source);
    EXPECT_EQ(5, original.width);
    EXPECT_EQ(1u, original.TopLeft());
    RGBQUAD* table = copy.CopyColorTable();
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(kRed, Rgb(table[1]));
    delete[] table;
}

// On Wine's 32-bit screen no picture makes a palette, and the picture is drawn 1:1 at the
// position given (-1 keeps the stored one).
TEST_F(CDibTest, DrawPaintsThePictureOneToOne)
{
    ParentWindow parent;
    UpdateWindow(parent.Handle());
    for (const DepthFixture* fixture : {&kDepths[2], &kDepths[4]}) {
        CDib dib;
        Load(dib, MakePicture(*fixture, 5, 3, false));
        EXPECT_EQ(nullptr, dib.GetPalette()) << fixture->bitCount;
        HDC window = GetDC(parent.Handle());
        CDC* dc = CDC::FromHandle(window);
        EXPECT_TRUE(dib.ApplyPalette(dc));
        ASSERT_TRUE(dib.Draw(dc, 10, 20));
        ASSERT_TRUE(dib.Draw(dc, -1, 40));
        ReleaseDC(parent.Handle(), window);
        WindowPixels pixels(parent.Handle());
        for (int y : {20, 40}) {
            EXPECT_EQ(RGB(255, 0, 0), pixels.AtClient(10, y)) << fixture->bitCount;
            EXPECT_EQ(RGB(0, 255, 0), pixels.AtClient(14, y)) << fixture->bitCount;
            EXPECT_EQ(RGB(0, 0, 255), pixels.AtClient(10, y + 2)) << fixture->bitCount;
            EXPECT_EQ(RGB(255, 255, 255), pixels.AtClient(14, y + 2)) << fixture->bitCount;
            EXPECT_EQ(RGB(0, 0, 0), pixels.AtClient(12, y + 1)) << fixture->bitCount;
        }
        EXPECT_NE(RGB(0, 255, 0), pixels.AtClient(15, 20));
    }
}

TEST(CDibPalette, MadeOnlyForFewColoursOnAScreenOfFewColours)
{
    struct Case
    {
        int screen, picture;
        BOOL made;
    } cases[] = {{8, 8, TRUE}, {8, 1, TRUE}, {4, 4, TRUE}, {8, 16, FALSE}, {8, 24, FALSE}, {16, 8, FALSE}, {32, 1, FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(c.made, CDib::NeedsPalette(c.screen, c.picture)) << c.screen << " " << c.picture;
}

TEST(CDibPalette, FixedPaletteOfSixteenIsTheBaseColoursOfThirtyTwoHalfBright)
{
    RGBQUAD table[32];
    CDib::MakeFixedPalette(16, table);
    const DWORD base[16] = {0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF, 0x00FF00, 0x969696, 0xFFFF00, 0x009696,
                            0x960096, 0x969600, 0x00FFFF, 0xFF00FF, 0xFF7878, 0x78FF78, 0x7878FF, 0x5A5A5A};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(base[i], Rgb(table[i])) << i;
    CDib::MakeFixedPalette(32, table);
    EXPECT_EQ(0xFFFFFFu, Rgb(table[0]));
    EXPECT_EQ(0x7F7F7Fu, Rgb(table[16]));
    EXPECT_EQ(0x4B4B4Bu, Rgb(table[21]));
    EXPECT_EQ(0x3C3C7Fu, Rgb(table[30]));
    EXPECT_EQ(0x2D2D2Du, Rgb(table[31]));
}

// For the shell test: the quadrant picture saved at 24 and 8 bits as PCX, TGA and TIF into the
// folder given, for a reader outside Wine.
SUITE_HELPER(SavePictures)
{
    if (args.size() != 1)
        return 2;
    TempFolder scratch;
    const struct
    {
        const DepthFixture* fixture;
        const char* prefix;
    } depths[] = {{&kDepths[4], "full"}, {&kDepths[2], "eight"}};
    for (const auto& depth : depths) {
        std::string source = scratch.FilePath("source.bmp");
        CDib dib;
        if (!MakePicture(*depth.fixture, 32, 32, true).WriteBmp(source) || !dib.Load(source.c_str()))
            return 1;
        for (const char* extension : {".pcx", ".tga", ".tif"})
            if (!dib.Save((args[0] + "\\" + depth.prefix + extension).c_str()))
                return 1;
    }
    return 0;
}
