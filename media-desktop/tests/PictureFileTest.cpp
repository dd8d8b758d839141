#include <gtest/gtest.h>

#include "CPictureFile.h"
#include "TestPictures.h"
#include "TempFolder.h"

namespace {

bool Near(COLORREF expected, COLORREF actual)
{
    return abs(GetRValue(expected) - GetRValue(actual)) < 40
           && abs(GetGValue(expected) - GetGValue(actual)) < 40
           && abs(GetBValue(expected) - GetBValue(actual)) < 40;
}

class PictureFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        jpeg = temp.FilePath("quarters.jpg");
        ASSERT_TRUE(WriteQuartersJpeg(jpeg));
    }
    void TearDown() override { CoUninitialize(); }

    // Draws into a fresh 32 by 16 bitmap and reads its middle.
    COLORREF DrawnMiddle(CPictureFile& picture, int srcX, int srcY, int srcWidth, int srcHeight)
    {
        HDC screen = GetDC(NULL);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
        ReleaseDC(NULL, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        EXPECT_TRUE(picture.Draw(CDC::FromHandle(dc), 0, 0, 32, 16, srcX, srcY, srcWidth, srcHeight));
        COLORREF middle = GetPixel(dc, 16, 8);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return middle;
    }

    TempFolder temp;
    std::string jpeg;
};

TEST_F(PictureFileTest, LoadsAJpegAtItsPixelSize)
{
    CPictureFile picture;
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(CSize(-1, -1), picture.GetSize());
    ASSERT_TRUE(picture.LoadPictureFile(jpeg.c_str()));
    EXPECT_TRUE(picture.IsLoaded());
    EXPECT_EQ(CSize(64, 32), picture.GetSize());
}

TEST_F(PictureFileTest, AMissingOrBrokenFileGivesFalseAndNoSize)
{
    CPictureFile picture;
    ASSERT_TRUE(picture.LoadPictureFile(jpeg.c_str()));
    EXPECT_FALSE(picture.LoadPictureFile(temp.FilePath("missing.jpg").c_str()));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(CSize(-1, -1), picture.GetSize());
    EXPECT_FALSE(picture.LoadPictureFile(temp.Write("text.jpg", "not a picture").c_str()));
    EXPECT_EQ(CSize(-1, -1), picture.GetSize());
    HDC dc = CreateCompatibleDC(NULL);
    EXPECT_FALSE(picture.Draw(CDC::FromHandle(dc), 0, 0, 1, 1));
    DeleteDC(dc);
}

TEST_F(PictureFileTest, DrawsTheSourceRectangleUprightOrTheWholePicture)
{
    CPictureFile picture;
    ASSERT_TRUE(picture.LoadPictureFile(jpeg.c_str()));
    struct Case { int x, y, width, height; COLORREF middle; };
    const Case cases[] = {
        {0, 0, 32, 16, kQuarters[0]},
        {32, 0, 32, 16, kQuarters[1]},
        {0, 16, 32, 16, kQuarters[2]},
        {32, 16, 100, 100, kQuarters[3]},  // clipped to the picture
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_TRUE(Near(cases[i].middle, DrawnMiddle(picture, cases[i].x, cases[i].y,
                                                       cases[i].width, cases[i].height)))
            << "row " << i;
    // A source x or y of -1: the whole picture, each quarter in its corner.
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(NULL, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_TRUE(picture.Draw(CDC::FromHandle(dc), 0, 0, 32, 16, -1, 5, 0, 0));
    EXPECT_TRUE(Near(kQuarters[0], GetPixel(dc, 4, 3)));
    EXPECT_TRUE(Near(kQuarters[3], GetPixel(dc, 28, 13)));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
