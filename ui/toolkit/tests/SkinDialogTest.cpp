#include <gtest/gtest.h>

#include "FrameTestDialog.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

// The art's frame: borders 6 wide, caption 30 high, bottom band 5 high; the caption's right
// part is 100 wide, so the buttons sit at 25, 49 and 72 from its left edge.
const RECT kWindow = {100, 100, 500, 400};

class SkinDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dialog.Open(kWindow));
        UserInput::BringToFront(dialog.m_hWnd);
    }

    LRESULT HitTest(int x, int y)
    {
        return dialog.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y));
    }

    // A point of the window's rectangle (window coordinates) in client coordinates.
    POINT ClientPoint(int x, int y)
    {
        return {x - dialog.GetBorderWidth(), y - dialog.GetCaptionHeight()};
    }

    CFrameTestDlg dialog;
};

TEST_F(SkinDialogTest, FrameSizesComeFromTheBitmaps)
{
    EXPECT_EQ(6, dialog.GetBorderWidth());
    EXPECT_EQ(30, dialog.GetCaptionHeight());
    EXPECT_EQ(5, dialog.GetBottomHeight());
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, 388, 265), client);
}

TEST_F(SkinDialogTest, HitTestGivesCornersBordersButtonsAndCaptionInOrder)
{
    const struct { int x, y; LRESULT code; } cases[] = {
        {102, 398, HTBOTTOMLEFT},
        {102, 110, HTTOPLEFT},
        {497, 398, HTBOTTOMRIGHT},
        {497, 110, HTTOPRIGHT},
        {102, 250, HTLEFT},
        {497, 250, HTRIGHT},
        {300, 398, HTBOTTOM},
        {300, 100, HTCAPTION},  // the top edge sizes nothing
        {300, 115, HTCAPTION},
        {430, 110, HTMINBUTTON},
        {455, 110, HTMAXBUTTON},
        {480, 110, HTCLOSE},
        {300, 250, HTCLIENT},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].code, HitTest(cases[i].x, cases[i].y)) << "case " << i;
}

TEST_F(SkinDialogTest, MaximiseButtonBelongsToTheClientRightAfterADoubleClick)
{
    dialog.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(HTCLIENT, HitTest(455, 110));
    Sleep(150);
    EXPECT_EQ(HTMAXBUTTON, HitTest(455, 110));
}

TEST_F(SkinDialogTest, SizingKeepsTheClientAspectAndTheMinimum)
{
    // The frame adds 12 to the width and 35 to the height.
    const struct { SIZE ratio; UINT edge; RECT proposed; RECT expected; } cases[] = {
        {{16, 9}, WMSZ_BOTTOM, {0, 0, 300, 305}, {0, 0, 492, 305}},
        {{16, 9}, WMSZ_TOP, {0, 0, 300, 305}, {0, 0, 492, 305}},
        {{16, 9}, WMSZ_RIGHT, {0, 0, 492, 100}, {0, 0, 492, 305}},
        {{16, 9}, WMSZ_BOTTOMLEFT, {10, 20, 502, 100}, {10, 20, 502, 325}},
        {{16, 9}, WMSZ_RIGHT, {0, 0, 140, 500}, {0, 0, 256, 222}},
        {{4, 3}, WMSZ_TOPRIGHT, {0, 0, 412, 100}, {0, 0, 412, 335}},
        {{1, 1}, WMSZ_BOTTOMRIGHT, {0, 0, 600, 250}, {0, 0, 600, 250}},
        {{1, 1}, WMSZ_BOTTOMRIGHT, {0, 0, 200, 150}, {0, 0, 256, 222}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        dialog.SetAspectRatio(cases[i].ratio);
        RECT rect = cases[i].proposed;
        dialog.SendMessage(WM_SIZING, cases[i].edge, (LPARAM)&rect);
        EXPECT_EQ(CRect(cases[i].expected), CRect(rect)) << "case " << i;
    }
}

TEST_F(SkinDialogTest, SettingARatioRefitsTheWindowAndBadRatiosAreIgnored)
{
    dialog.SetAspectRatio(CSize(16, 9));
    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(CSize(388, 218), client.Size());
    dialog.SetAspectRatio(CSize(0, 5));
    EXPECT_EQ(CSize(16, 9), dialog.GetAspectRatio());
}

TEST_F(SkinDialogTest, MaximisedTheClientAreaCoversTheScreen)
{
    dialog.ShowWindow(SW_MAXIMIZE);
    EXPECT_TRUE(dialog.IsMaximized());
    CRect client;
    dialog.GetClientRect(&client);
    ::MapWindowPoints(dialog.m_hWnd, NULL, (POINT*)&client, 2);
    EXPECT_EQ(CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)), client);
    dialog.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(dialog.IsMaximized());
}

TEST_F(SkinDialogTest, FrameShowsItsBitmaps)
{
    WindowPixels pixels(dialog.m_hWnd);
    EXPECT_EQ(CFrameTestDlg::kCaptionLeft, pixels.At(10, 10));
    EXPECT_EQ(CFrameTestDlg::kCaptionMiddle, pixels.At(200, 10));
    EXPECT_EQ(CFrameTestDlg::kCaptionRight, pixels.At(310, 10));
    EXPECT_EQ(CFrameTestDlg::kBorderLeft, pixels.At(2, 150));
    EXPECT_EQ(CFrameTestDlg::kBorderRight, pixels.At(397, 150));
    EXPECT_EQ(CFrameTestDlg::kBorderBottom, pixels.At(200, 298));
    EXPECT_EQ(CFrameTestDlg::kButtonNormal, pixels.At(330, 10));
    EXPECT_EQ(RGB(0, 0, 0), pixels.AtClient(100, 100));
}

TEST_F(SkinDialogTest, NarrowWindowShowsOnlyTheButtonsInItsCaption)
{
    // Narrower than the two end parts (60 + 100): the caption shows no parts.
    dialog.SetWindowPos(NULL, 0, 0, 150, 250, SWP_NOMOVE | SWP_NOZORDER);
    WindowPixels pixels(dialog.m_hWnd);
    EXPECT_NE(CFrameTestDlg::kCaptionLeft, pixels.At(10, 10));
    EXPECT_EQ(CFrameTestDlg::kButtonNormal, pixels.At(60 + 80, 10));
}

TEST_F(SkinDialogTest, CaptionButtonsFollowTheMouseAndMinimise)
{
    UserInput::MoveTo(dialog.m_hWnd, ClientPoint(330, 10));
    EXPECT_EQ(CFrameTestDlg::kButtonHover, WindowPixels(dialog.m_hWnd).At(330, 10));
    EXPECT_EQ(CFrameTestDlg::kButtonNormal, WindowPixels(dialog.m_hWnd).At(355, 10));
    UserInput::ButtonDown(dialog.m_hWnd, ClientPoint(330, 10));
    EXPECT_EQ(CFrameTestDlg::kButtonPressed, WindowPixels(dialog.m_hWnd).At(330, 10));
    UserInput::ButtonUp(dialog.m_hWnd, ClientPoint(330, 10));
    EXPECT_TRUE(::IsIconic(dialog.m_hWnd));
}

TEST_F(SkinDialogTest, MaximiseButtonMaximisesAndRestores)
{
    UserInput::Click(dialog.m_hWnd, ClientPoint(355, 10));
    EXPECT_TRUE(::IsZoomed(dialog.m_hWnd));
    EXPECT_TRUE(dialog.IsMaximized());
    // Maximised, the caption lies above the screen: its button is pressed by message.
    CRect window;
    dialog.GetWindowRect(&window);
    POINT button = {window.right - 100 + 55, window.top + 10};
    dialog.SendMessage(WM_NCLBUTTONUP, HTMAXBUTTON, MAKELPARAM(button.x, button.y));
    EXPECT_FALSE(::IsZoomed(dialog.m_hWnd));
    EXPECT_FALSE(dialog.IsMaximized());
    dialog.GetWindowRect(&window);
    EXPECT_EQ(CRect(kWindow), window);
}

TEST_F(SkinDialogTest, CloseButtonClosesTheWindow)
{
    UserInput::Click(dialog.m_hWnd, ClientPoint(380, 10));
    EXPECT_FALSE(IsWindow(dialog.m_hWnd));
}

} // namespace
