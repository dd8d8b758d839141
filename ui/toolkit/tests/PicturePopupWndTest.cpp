#include <gtest/gtest.h>

#include "BmpFile.h"
#include "PicturePopupWnd.h"
#include "PumpMessages.h"
#include "TempFolder.h"

#include <string>

namespace {

RECT CentredRect(int width, int height)
{
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    RECT rect = {x, y, x + width, y + height};
    return rect;
}

void ExpectWindowRect(const RECT& expected, HWND window)
{
    RECT rect;
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(expected.left, rect.left);
    EXPECT_EQ(expected.top, rect.top);
    EXPECT_EQ(expected.right, rect.right);
    EXPECT_EQ(expected.bottom, rect.bottom);
}

// The window's own pixel as it painted itself (whole-screen pixels are not there headless).
COLORREF PaintedPixel(HWND window, int x, int y)
{
    UpdateWindow(window);
    HDC dc = GetDC(window);
    COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

TEST(PicturePopupWnd, WithoutABitmapIsAHundredSquareCentredOnTheScreen)
{
    CPicturePopupWnd popup;
    EXPECT_FALSE(popup.LoadBitmapFile("C:\\no such picture.bmp"));
    popup.Show(NULL, FALSE, 0);
    ASSERT_TRUE(IsWindow(popup.m_hWnd));
    ExpectWindowRect(CentredRect(100, 100), popup.m_hWnd);
    EXPECT_EQ(WS_POPUP | WS_VISIBLE, (DWORD)GetWindowLongA(popup.m_hWnd, GWL_STYLE) &
                                         (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_BORDER));

    HWND shown = popup.m_hWnd;
    popup.Hide();
    EXPECT_EQ(NULL, popup.m_hWnd);
    EXPECT_FALSE(IsWindow(shown));
}

TEST(PicturePopupWnd, ShowsTheBitmapFileAtItsSizeAndRefitsToANewOne)
{
    TempFolder folder;
    std::string red = folder.Write("red.bmp", FlatBmp(40, 30, RGB(255, 0, 0)));
    std::string blue = folder.Write("blue.bmp", FlatBmp(64, 16, RGB(0, 0, 255)));
    CPicturePopupWnd popup;
    ASSERT_TRUE(popup.LoadBitmapFile(red.c_str()));
    popup.Show(NULL, FALSE, 0);
    ASSERT_TRUE(IsWindow(popup.m_hWnd));
    ExpectWindowRect(CentredRect(40, 30), popup.m_hWnd);
    EXPECT_EQ(RGB(255, 0, 0), PaintedPixel(popup.m_hWnd, 39, 29));

    ASSERT_TRUE(popup.LoadBitmapFile(blue.c_str()));
    ExpectWindowRect(CentredRect(64, 16), popup.m_hWnd);
    EXPECT_EQ(RGB(0, 0, 255), PaintedPixel(popup.m_hWnd, 63, 0));
}

TEST(PicturePopupWnd, HidesItselfAfterItsTime)
{
    CPicturePopupWnd popup;
    popup.Show(NULL, TRUE, 50);
    ASSERT_TRUE(IsWindow(popup.m_hWnd));
    EXPECT_TRUE(PumpMessagesUntil([&] { return popup.m_hWnd == NULL; }, 5000));
}

TEST(PicturePopupWnd, ShowingAgainWhileShownChangesNothing)
{
    CPicturePopupWnd popup;
    popup.Show(NULL, FALSE, 0);
    HWND shown = popup.m_hWnd;
    // A hide timer started now would take the popup away.
    popup.Show(NULL, TRUE, 10);
    PumpMessagesUntil([] { return false; }, 200);
    EXPECT_EQ(shown, popup.m_hWnd);
    EXPECT_TRUE(IsWindow(shown));
}

} // namespace
