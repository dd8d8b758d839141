// The capture graph's bitmap files: the header block's sizes and the byte layout of the files
// written, read back as bytes.
#include <gtest/gtest.h>

#include "DibFile.h"
#include "TempFolder.h"

#include <string.h>

#include <string>

namespace
{

struct HeaderCase
{
    int width, height, bitCount;
    DWORD sizeImage, colours;
};

// Rows are padded to four bytes for the rounded count; the table follows the rounded count.
const HeaderCase kHeaderCases[] = {
    {640, 480, 24, 921600, 0},  {640, 480, 8, 307200, 256}, {10, 3, 2, 24, 16},   {10, 3, 3, 24, 16},
    {10, 3, 0, 24, 16},         {9, 2, 1, 8, 2},            {3, 1, 16, 8, 65536}, {5, 2, 32, 40, 0},
    {5, 2, 25, 40, 0},          {7, 2, 24, 48, 0},
};

DWORD DwordAt(const std::string& bytes, size_t offset)
{
    DWORD value = 0;
    memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

WORD WordAt(const std::string& bytes, size_t offset)
{
    WORD value = 0;
    memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// A bottom-up DIB section of that depth, every pixel byte set to fill.
HBITMAP MakeBitmap(int width, int height, int bitCount, BYTE fill)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = (WORD)bitCount;
    for (int i = 0; i < 256; ++i)
        info.colours[i].rgbRed = info.colours[i].rgbGreen = info.colours[i].rgbBlue = (BYTE)i;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap)
        memset(bits, fill, ((bitCount * width + 31) & ~31) / 8 * height);
    return bitmap;
}

class DibFileTest : public testing::Test
{
protected:
    // Writes a bitmap of that depth as a file and returns its path.
    std::string WriteBitmapFile(const char* name, int width, int height, int bitCount, BYTE fill)
    {
        std::string path = m_folder.FilePath(name);
        HBITMAP bitmap = MakeBitmap(width, height, bitCount, fill);
        EXPECT_TRUE(SaveBitmapAsBmp(path.c_str(), bitmap, NULL)) << name;
        DeleteObject(bitmap);
        return path;
    }

    TempFolder m_folder;
};

} // namespace

TEST(DibHeaderTest, RowsAndColourTableFollowTheRoundedBitCount)
{
    for (size_t i = 0; i < sizeof(kHeaderCases) / sizeof(kHeaderCases[0]); ++i) {
        const HeaderCase& c = kHeaderCases[i];
        std::vector<BYTE> block = MakeDibHeader(c.width, c.height, c.bitCount);
        ASSERT_EQ(40u + 4 * c.colours, block.size()) << "row " << i;
        const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)block.data();
        EXPECT_EQ(40u, header->biSize) << "row " << i;
        EXPECT_EQ(c.width, header->biWidth) << "row " << i;
        EXPECT_EQ(c.height, header->biHeight) << "row " << i;
        EXPECT_EQ(1, header->biPlanes) << "row " << i;
        EXPECT_EQ(c.bitCount, header->biBitCount) << "row " << i;
        EXPECT_EQ((DWORD)BI_RGB, header->biCompression) << "row " << i;
        EXPECT_EQ(c.sizeImage, header->biSizeImage) << "row " << i;
        EXPECT_EQ(c.colours, header->biClrUsed) << "row " << i;
        EXPECT_EQ(0u, header->biClrImportant) << "row " << i;
    }
}

TEST(DibHeaderTest, BitmapHeaderTakesTheBitmapsSizeAndDepth)
{
    HBITMAP bitmap = MakeBitmap(33, 7, 8, 0);
    std::vector<BYTE> block = MakeDibHeaderFromBitmap(bitmap);
    DeleteObject(bitmap);
    ASSERT_EQ(40u + 4 * 256, block.size());
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)block.data();
    EXPECT_EQ(33, header->biWidth);
    EXPECT_EQ(7, header->biHeight);
    EXPECT_EQ(8, header->biBitCount);
    EXPECT_EQ(36u * 7, header->biSizeImage);
    EXPECT_TRUE(MakeDibHeaderFromBitmap(NULL).empty());
}

TEST_F(DibFileTest, TrueColourFileHasItsPixelsRightBehindTheHeader)
{
    std::string path = m_folder.FilePath("picture.bmp");
    // A longer file of that name is replaced, not overwritten in part.
    TempFolder::WriteWholeFile(path, std::string(2000000, 'x'));
    HBITMAP bitmap = MakeBitmap(640, 480, 24, 0x5A);
    ASSERT_TRUE(SaveBitmapAsBmp(path.c_str(), bitmap, NULL));
    DeleteObject(bitmap);

    std::string bytes = TempFolder::ReadWholeFile(path);
    ASSERT_EQ(54u + 921600, bytes.size());
    EXPECT_EQ("BM", bytes.substr(0, 2));
    EXPECT_EQ(54u + 921600, DwordAt(bytes, 2));
    EXPECT_EQ(0u, DwordAt(bytes, 6)) << "reserved words";
    EXPECT_EQ(54u, DwordAt(bytes, 10));
    EXPECT_EQ(40u, DwordAt(bytes, 14));
    EXPECT_EQ(24, WordAt(bytes, 28));
    EXPECT_EQ(std::string(921600, '\x5A'), bytes.substr(54));
}

TEST_F(DibFileTest, PalettedFileCarriesItsColourTable)
{
    std::string bytes = TempFolder::ReadWholeFile(WriteBitmapFile("grey.bmp", 640, 480, 8, 0x80));
    ASSERT_EQ(1078u + 307200, bytes.size());
    EXPECT_EQ(1078u, DwordAt(bytes, 10));
    EXPECT_EQ(256u, DwordAt(bytes, 46)) << "biClrUsed";
    EXPECT_EQ(0x00404040u, DwordAt(bytes, 54 + 4 * 0x40)) << "grey entry 0x40";
    EXPECT_EQ('\x80', bytes[1078]);
}

TEST_F(DibFileTest, DepthConversionRewritesOnlyAFileOfAnotherDepth)
{
    std::string path = WriteBitmapFile("depth.bmp", 16, 8, 24, 0xFF);
    std::string before = TempFolder::ReadWholeFile(path);
    // Marks the file, so that a rewrite would show.
    before[6] = 'Q';
    TempFolder::WriteWholeFile(path, before);

    EXPECT_TRUE(ConvertBmpFileDepth(path.c_str(), 24));
    EXPECT_EQ(before, TempFolder::ReadWholeFile(path));

    EXPECT_TRUE(ConvertBmpFileDepth(path.c_str(), 8));
    std::string after = TempFolder::ReadWholeFile(path);
    ASSERT_EQ(1078u + 16 * 8, after.size());
    EXPECT_EQ(8, WordAt(after, 28));
    EXPECT_EQ(0, after[6]) << "a new file header";
    BYTE index = (BYTE)after[1078];
    EXPECT_EQ(0x00FFFFFFu, DwordAt(after, 54 + 4 * index)) << "white stays white";
}

TEST_F(DibFileTest, ResizeStretchesThePictureToTheNewSize)
{
    std::string path = WriteBitmapFile("small.bmp", 4, 2, 24, 0xFF);
    ASSERT_TRUE(ResizeBmpFile(path.c_str(), 8, 6));
    std::string bytes = TempFolder::ReadWholeFile(path);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(8u, DwordAt(bytes, 18));
    EXPECT_EQ(6u, DwordAt(bytes, 22));
    DWORD offset = DwordAt(bytes, 10);
    ASSERT_EQ(offset + DwordAt(bytes, 34), bytes.size());
    EXPECT_EQ('\xFF', bytes[offset]) << "the white picture, stretched";
}

TEST_F(DibFileTest, FilesThatAreNoBitmapsAreRefused)
{
    std::string path = m_folder.Write("text.bmp", "not a bitmap");
    EXPECT_FALSE(ConvertBmpFileDepth(path.c_str(), 8));
    EXPECT_FALSE(ResizeBmpFile(path.c_str(), 8, 8));
    EXPECT_EQ("not a bitmap", TempFolder::ReadWholeFile(path));
    EXPECT_FALSE(ConvertBmpFileDepth(m_folder.FilePath("missing.bmp").c_str(), 8));
}
