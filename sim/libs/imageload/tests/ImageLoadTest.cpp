// The image library as the image class calls it: telling the forms apart by their contents,
// damaged and foreign files, and the two palette builders.
#include <gtest/gtest.h>

#include "ImageLoad.h"

#include "TempFolder.h"

#include <string.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace
{
// A 24-bit packed bitmap in movable memory whose top-down pixels are 0x00RRGGBB.
HGLOBAL MakeDib24(int width, int height, const std::vector<DWORD>& pixels)
{
    int stride = (width * 3 + 3) & ~3;
    SIZE_T size = 54 + (SIZE_T)stride * height;
    HGLOBAL dib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    BYTE* data = (BYTE*)GlobalLock(dib);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)size, 0, 0, 54};
    memcpy(data, &file, 14);
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 24, BI_RGB, (DWORD)(stride * height), 0, 0, 0, 0};
    memcpy(data + 14, &info, sizeof(info));
    for (int y = 0; y < height; ++y) {
        BYTE* row = data + 54 + (size_t)(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            DWORD c = pixels[(size_t)y * width + x];
            row[3 * x] = (BYTE)c;
            row[3 * x + 1] = (BYTE)(c >> 8);
            row[3 * x + 2] = (BYTE)(c >> 16);
        }
    }
    GlobalUnlock(dib);
    return dib;
}

// The bottom-up pixel rows of a packed 24-bit bitmap, as Popularity and MedianCut take them.
std::vector<BYTE> Bits(HGLOBAL dib)
{
    const BYTE* data = (const BYTE*)GlobalLock(dib);
    std::vector<BYTE> bits(data + 54, data + GlobalSize(dib));
    GlobalUnlock(dib);
    return bits;
}

std::vector<DWORD> Triples(BYTE* table, int colours)
{
    std::vector<DWORD> out;
    for (int i = 0; i < colours; ++i)
        out.push_back((DWORD)table[3 * i] << 16 | table[3 * i + 1] << 8 | table[3 * i + 2]);
    GlobalFree(table);
    return out;
}

const std::string kPcxHeader8 = [] {
    std::string h(128, '\0');
    h[0] = 0x0A, h[1] = 5, h[2] = 1, h[3] = 8, h[8] = 1, h[10] = 1, h[65] = 1, h[66] = 2;  // 2 x 2
    return h;
}();
}

TEST(ImageLoad, FileTypeIsTheContentsWhateverTheName)
{
    TempFolder folder;
    std::string tgaHeader(18, '\0');
    tgaHeader[2] = 2, tgaHeader[12] = 4, tgaHeader[14] = 4, tgaHeader[16] = 24;
    struct Case
    {
        const char* name;
        std::string bytes;
        int type;
    } cases[] = {
        {"a.jpg", std::string("BM") + std::string(60, '\0'), kPicFileBmp},
        {"a.bmp", "GIF89a" + std::string(20, '\0'), kPicFileGif},
        {"a.dat", kPcxHeader8, kPicFilePcx},
        {"a.gif", "\xFF\xD8\xFF\xE0" + std::string(20, '\0'), kPicFileJpg},
        {"a.x", std::string("II*\0", 4) + std::string(8, '\0'), kPicFileTif},
        {"b.x", std::string("MM\0*", 4) + std::string(8, '\0'), kPicFileTif},
        {"a.TGA", tgaHeader, kPicFileTga},
        {"b.dat", tgaHeader, kPicFileUnknown},        // a TGA tells itself only by its name
        {"c.tga", std::string(18, '\x7F'), kPicFileUnknown},  // not a sane header
        {"d.png", "\x89PNG\r\n\x1A\n", kPicFileUnknown},
        {"e.bmp", "", kPicFileUnknown},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        std::string path = folder.Write(cases[i].name, cases[i].bytes);
        EXPECT_EQ(cases[i].type, FileType(path.c_str())) << "case " << i;
    }
    EXPECT_EQ(kPicFileUnknown, FileType(folder.FilePath("missing.bmp").c_str()));
    EXPECT_EQ(kPicLibCannotOpen, GetLastPicLibError());
}

// A file cut short or of the wrong form gives no picture and the error, never a crash.
TEST(ImageLoad, DamagedFilesGiveAnError)
{
    TempFolder folder;
    std::string pcxNoTable = kPcxHeader8 + std::string("\xC4\x07", 2);
    std::string pcxShortRows = kPcxHeader8 + std::string("\xC2\x07", 2) + '\x0C' + std::string(768, '\0');
    std::string pcx4Bit = kPcxHeader8;
    pcx4Bit[3] = 4;
    std::string bmp;
    {
        HGLOBAL dib = MakeDib24(2, 2, {0, 0, 0, 0});
        ASSERT_EQ(kPicLibOk, SaveBMP(folder.FilePath("good.bmp").c_str(), dib));
        GlobalFree(dib);
        bmp = folder.Read("good.bmp");
    }
    struct Case
    {
        HGLOBAL (WINAPI* load)(LPCSTR);
        const char* name;
        std::string bytes;
        int error;
    } cases[] = {
        {LoadPCX, "a.pcx", pcxNoTable, kPicLibReadError},
        {LoadPCX, "b.pcx", pcxShortRows, kPicLibReadError},
        {LoadPCX, "c.pcx", pcx4Bit, kPicLibUnsupported},
        {LoadPCX, "d.pcx", bmp, kPicLibNotThisFormat},
        {LoadGIF, "e.gif", bmp, kPicLibNotThisFormat},
        {LoadBMP, "f.bmp", bmp.substr(0, 60), kPicLibReadError},
        {LoadJPG, "g.jpg", "\xFF\xD8\xFF\xE0" + std::string(40, '\x11'), kPicLibReadError},
        {LoadTGA, "h.tga", std::string(18, '\x7F'), kPicLibNotThisFormat},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        std::string path = folder.Write(cases[i].name, cases[i].bytes);
        HGLOBAL dib = cases[i].load(path.c_str());
        EXPECT_EQ(NULL, dib) << "case " << i;
        EXPECT_EQ(cases[i].error, GetLastPicLibError()) << "case " << i;
        if (dib)
            GlobalFree(dib);
    }
    EXPECT_EQ(NULL, LoadBMP(folder.FilePath("missing.bmp").c_str()));
    EXPECT_EQ(kPicLibCannotOpen, GetLastPicLibError());
}

TEST(ImageLoad, SavingABadBitmapOrToNowhereLeavesNoFile)
{
    TempFolder folder;
    HGLOBAL notADib = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 100);
    std::string path = folder.FilePath("a.pcx");
    EXPECT_EQ(kPicLibBadDib, SavePCX(path.c_str(), notADib));
    EXPECT_EQ(kPicLibBadDib, SaveJPG(path.c_str(), NULL, 90));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    GlobalFree(notADib);

    HGLOBAL dib = MakeDib24(3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0, 0, 0});
    for (auto save : {SaveBMP, SaveGIF, SavePCX, SaveTGA, SaveTIF})
        EXPECT_EQ(kPicLibCannotWrite, save(folder.FilePath("no\\such\\a.x").c_str(), dib));
    EXPECT_EQ(kPicLibCannotWrite, SaveJPG(folder.FilePath("no\\such\\a.jpg").c_str(), dib, 50));
    GlobalFree(dib);
}

TEST(ImageLoad, InfoTellsSizeDepthAndForm)
{
    TempFolder folder;
    HGLOBAL dib = MakeDib24(5, 3, std::vector<DWORD>(15, 0x123456));
    std::string path = folder.FilePath("a.pcx");
    ASSERT_EQ(kPicLibOk, SavePCX(path.c_str(), dib));
    GlobalFree(dib);
    IMGINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_EQ(kPicLibOk, GetPCXInfo(path.c_str(), &info));
    EXPECT_EQ(5, info.width);
    EXPECT_EQ(3, info.height);
    EXPECT_EQ(24, info.bitCount);
    EXPECT_EQ(0, info.colours);
    EXPECT_EQ(kPicFilePcx, info.fileType);
    EXPECT_EQ(kPicLibNotThisFormat, GetGIFInfo(path.c_str(), &info));
}

// Few colours come back exactly: Popularity most frequent first, MedianCut in any order; the
// entries no colour fills are black.
TEST(ImageLoad, PaletteBuildersKeepTheColoursOfAFewColourPicture)
{
    std::vector<DWORD> pixels = {0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF,
                                 0xFF0000, 0x808080, 0x00FF00, 0xFF0000, 0x0000FF, 0x808080};
    HGLOBAL dib = MakeDib24(4, 3, pixels);
    std::vector<BYTE> bits = Bits(dib);
    GlobalFree(dib);

    std::vector<DWORD> popular = Triples(Popularity(bits.data(), 4, 3, 24, 6), 6);
    EXPECT_EQ((std::vector<DWORD>{0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0, 0}), popular);

    std::vector<DWORD> cut = Triples(MedianCut(bits.data(), 4, 3, 24, 8), 8);
    std::vector<DWORD> expected = {0xFF0000, 0x00FF00, 0x0000FF, 0x808080, 0, 0, 0, 0};
    std::sort(cut.begin(), cut.end(), std::greater<DWORD>());
    std::sort(expected.begin(), expected.end(), std::greater<DWORD>());
    EXPECT_EQ(expected, cut);

    // Fewer entries than colours: cut along red at the pixel median, each box the mean of its
    // pixels (green 3 and blue 2; grey 2 and red 5).
    EXPECT_EQ((std::vector<DWORD>{0x009966, 0xDA2424}), Triples(MedianCut(bits.data(), 4, 3, 24, 2), 2));

    EXPECT_EQ(NULL, Popularity(bits.data(), 4, 3, 8, 16));
    EXPECT_EQ(kPicLibBadDib, GetLastPicLibError());
    EXPECT_EQ(NULL, MedianCut(NULL, 4, 3, 24, 16));
    EXPECT_EQ(NULL, MedianCut(bits.data(), 4, 3, 24, 0));
}
