#include <gtest/gtest.h>

#include "COsdMultiLineWnd.h"
#include "COsdProgressWnd.h"
#include "COsdWnd.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "WindowPixels.h"

namespace {

const COLORREF kBox = RGB(0, 0, 138);
const COLORREF kRemainder = RGB(100, 100, 108);
const RECT kTextRect = {10, 10, 390, 200};

CRect RegionBox(HWND window)
{
    CRect box;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int kind = GetWindowRgn(window, region);
    if (kind != ERROR)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

// The displays over a popup parent whose client area is 400 x 300.
class OsdWndTest : public testing::Test
{
protected:
    template <class Osd> void Make(Osd& osd)
    {
        ASSERT_TRUE(osd.Create(CWnd::FromHandle(parent.Handle())));
        osd.SetTextRect(kTextRect);
    }

    ParentWindow parent{RECT{100, 100, 500, 400}, WS_POPUP | WS_VISIBLE};
};

TEST_F(OsdWndTest, FontHeightIsAPercentOfTheClientHeightWithinBounds)
{
    COsdWnd osd;
    Make(osd);
    const struct { int clientHeight, fontHeight; } cases[] = {
        {480, 38}, {300, 30}, {374, 30}, {375, 30}, {387, 30}, {400, 32},
        {687, 54}, {688, 55}, {700, 55}, {1000, 55},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        osd.SetFontHeight(cases[i].clientHeight);
        EXPECT_EQ(cases[i].fontHeight, osd.GetLogFont().lfHeight) << "case " << i;
        EXPECT_EQ(0, osd.GetLogFont().lfWeight) << "case " << i;
    }
}

TEST_F(OsdWndTest, LayoutCutsTheLettersOutOfTheirBoxOverTheParent)
{
    COsdWnd osd;
    Make(osd);
    osd.SetText("Kavex 12");
    CRect window;
    osd.GetWindowRect(&window);
    EXPECT_EQ(CRect(100, 100, 500, 400), window);
    CRect box = RegionBox(osd.m_hWnd);
    EXPECT_FALSE(box.IsRectEmpty());
    // Letters that fill an edge of their box (the stem of K) take it off the region.
    CRect bounds = osd.GetBoundingRect();
    EXPECT_EQ(bounds, bounds | box);
    EXPECT_GE(box.left, 10);
    EXPECT_GE(box.top, 10);
    // The letters are holes: the middle row of the box crosses the region's edges.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(osd.m_hWnd, region);
    int inside = 0, outside = 0;
    int y = (box.top + box.bottom) / 2;
    for (int x = box.left; x < box.right; ++x)
        (PtInRegion(region, x, y) ? inside : outside)++;
    DeleteObject(region);
    EXPECT_GT(inside, 0);
    EXPECT_GT(outside, 0);
}

TEST_F(OsdWndTest, EmptyTextLeavesRegionAndLayoutAsTheyWere)
{
    COsdWnd osd;
    Make(osd);
    osd.SetText("Kavex");
    CRect box = RegionBox(osd.m_hWnd);
    CRect bounds = osd.GetBoundingRect();
    osd.SetText("");
    EXPECT_EQ("", osd.GetText());
    EXPECT_EQ(box, RegionBox(osd.m_hWnd));
    EXPECT_EQ(bounds, osd.GetBoundingRect());
}

TEST_F(OsdWndTest, MultiLineTextSkipsEmptyLines)
{
    COsdWnd single;
    Make(single);
    single.SetText("AB");
    COsdMultiLineWnd multi;
    Make(multi);
    multi.SetText("AB\n\nAB\n");
    CRect one = single.GetBoundingRect();
    CRect two = multi.GetBoundingRect();
    EXPECT_EQ(one.left, two.left);
    EXPECT_EQ(one.top, two.top);
    EXPECT_EQ(one.right, two.right);
    EXPECT_EQ(2 * one.Height(), two.Height());
    EXPECT_EQ(two, RegionBox(multi.m_hWnd));
}

TEST_F(OsdWndTest, AutoHideCountsFromTheLastShowing)
{
    COsdWnd osd;
    Make(osd);
    osd.SetText("Kavex");
    osd.SetAutoHide(400);
    osd.Show(TRUE);
    PumpMessagesUntil([] { return false; }, 250);
    osd.Show(TRUE);
    PumpMessagesUntil([] { return false; }, 250);
    EXPECT_TRUE(osd.IsWindowVisible()) << "hidden by the first showing's time";
    EXPECT_TRUE(PumpMessagesUntil([&] { return !osd.IsWindowVisible(); }, 2000));
}

TEST_F(OsdWndTest, ZeroAutoHideKeepsTheDisplayUp)
{
    COsdWnd osd;
    Make(osd);
    osd.SetText("Kavex");
    osd.SetAutoHide(100);
    osd.Show(TRUE);
    osd.SetAutoHide(0);
    PumpMessagesUntil([] { return false; }, 300);
    EXPECT_TRUE(osd.IsWindowVisible());
    osd.Show(FALSE);
    EXPECT_FALSE(osd.IsWindowVisible());
}

TEST_F(OsdWndTest, ProgressShowsStrokesInTheBoxAndRemainderColours)
{
    COsdProgressWnd osd;
    Make(osd);
    osd.SetText("Scan");
    osd.Show(TRUE);
    CRect bounds = osd.GetBoundingRect();
    ASSERT_GT(bounds.right, osd.GetBarLeft());
    CRect bar(osd.GetBarLeft(), bounds.top, bounds.right, bounds.bottom);
    CRect label(bounds.left, bounds.top, osd.GetBarLeft() - 10, bounds.bottom);

    osd.SetProgress(0);
    osd.Invalidate();
    WindowPixels empty(osd.m_hWnd);
    EXPECT_GT(empty.Count(kRemainder, bar), 0);
    EXPECT_EQ(0, empty.Count(kBox, bar));
    EXPECT_GT(empty.Count(kBox, label), 0);

    osd.SetProgress(100);
    osd.Invalidate();
    WindowPixels full(osd.m_hWnd);
    EXPECT_EQ(0, full.Count(kRemainder, bar));
    EXPECT_GT(full.Count(kBox, bar), 0);
}

} // namespace
