#include <gtest/gtest.h>

#include <vector>

#include "CSkinScrollBar.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "SkinControlsTestResources.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const UINT kId = 1018;

// A static under a logging parent, taken over by the scroll bar.
class SkinScrollBarTest : public testing::Test
{
protected:
    void Make(int width, int height, BOOL bitmaps, BOOL vertical = FALSE)
    {
        HWND window = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, width, height,
                                    parent.Handle(), (HMENU)(UINT_PTR)kId, NULL, NULL);
        ASSERT_TRUE(bar.SubclassWindow(window));
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & SS_NOTIFY);
        bar.SetVertical(vertical);
        if (bitmaps) {
            ASSERT_TRUE(bar.LoadArrowBitmaps(FALSE, IDB_TEST_ARROW_FIRST, IDB_TEST_ARROW_FIRST,
                                             IDB_TEST_ARROW_FIRST, IDB_TEST_ARROW_FIRST));
            ASSERT_TRUE(bar.LoadArrowBitmaps(TRUE, IDB_TEST_ARROW_SECOND, IDB_TEST_ARROW_SECOND,
                                             IDB_TEST_ARROW_SECOND, IDB_TEST_ARROW_SECOND));
            ASSERT_TRUE(bar.LoadThumbBitmap(IDB_TEST_THUMB));
            ASSERT_TRUE(bar.LoadTrackBitmap(IDB_TEST_TRACK));
        }
        UserInput::BringToFront(parent.Handle());
        parent.ClearLog();
    }
    // The codes the parent was sent, each checked to carry the control's id and no lParam.
    std::vector<int> Codes(UINT message)
    {
        std::vector<int> codes;
        for (const LoggedMessage& sent : parent.Sent(message)) {
            EXPECT_EQ(kId, HIWORD(sent.wParam));
            EXPECT_EQ(0, sent.lParam);
            codes.push_back(LOWORD(sent.wParam));
        }
        return codes;
    }

    ParentWindow parent;
    CSkinScrollBar bar;
};

TEST_F(SkinScrollBarTest, GeometryFromBitmapsPlacesTheThumbAlongTheTrack)
{
    Make(200, 14, TRUE);
    EXPECT_EQ(CRect(0, 0, 12, 10), bar.GetArrowRect(FALSE));
    EXPECT_EQ(CRect(186, 0, 200, 10), bar.GetArrowRect(TRUE));
    EXPECT_EQ(CRect(12, 0, 186, 14), bar.GetTrackRect());
    // The centre runs from 22 to 176: 154 pixels of travel.
    struct Row
    {
        int pos;
        int thumbLeft;
    } thumbs[] = {{0, 12}, {50, 89}, {63, 109}, {100, 166}};
    for (const Row& row : thumbs) {
        bar.SetPos(row.pos);
        EXPECT_EQ(CRect(row.thumbLeft, 0, row.thumbLeft + 20, 10), bar.GetThumbRect()) << row.pos;
    }

    bar.SetPos(50);
    struct Hit
    {
        POINT point;
        int part;
    } hits[] = {
        {{5, 5}, CSkinScrollBar::PART_FIRST_ARROW},  {{190, 5}, CSkinScrollBar::PART_SECOND_ARROW},
        {{95, 5}, CSkinScrollBar::PART_THUMB},       {{50, 5}, CSkinScrollBar::PART_TRACK},
        {{95, 12}, CSkinScrollBar::PART_TRACK},      {{5, 12}, CSkinScrollBar::PART_OTHER},
        {{250, 5}, CSkinScrollBar::PART_NONE},       {{100, -1}, CSkinScrollBar::PART_NONE},
    };
    for (const Hit& hit : hits)
        EXPECT_EQ(hit.part, bar.HitTest(hit.point)) << hit.point.x << "," << hit.point.y;

    struct Point
    {
        int x;
        int pos;
    } points[] = {{22, 0}, {120, 63}, {176, 100}, {0, 0}, {199, 100}, {60, 24}};
    for (const Point& point : points)
        EXPECT_EQ(point.pos, bar.PosFromPoint(CPoint(point.x, 5))) << point.x;
}

TEST_F(SkinScrollBarTest, ThumbStaysAtTheStartOfATrackNoLongerThanItself)
{
    Make(45, 10, TRUE);
    EXPECT_EQ(CRect(12, 0, 31, 10), bar.GetTrackRect());
    bar.SetPos(100);
    EXPECT_EQ(CRect(12, 0, 32, 10), bar.GetThumbRect());
    // No travel to divide by: the position is the minimum wherever the point is.
    EXPECT_EQ(0, bar.PosFromPoint(CPoint(30, 5)));
}

TEST_F(SkinScrollBarTest, RangeOfNoWidthKeepsTheThumbAtTheStart)
{
    Make(200, 14, TRUE);
    bar.SetRange(0, 0);
    EXPECT_EQ(CRect(12, 0, 32, 10), bar.GetThumbRect());
    UserInput::Click(bar.m_hWnd, {190, 5});
    EXPECT_EQ(0, bar.GetPos());
    EXPECT_EQ((std::vector<int>{CSkinScrollBar::CODE_STEP_FORWARD, CSkinScrollBar::CODE_END}),
              Codes(WM_HSCROLL));
}

TEST_F(SkinScrollBarTest, VerticalGeometryFromSystemMetricsNotifiesWithVScroll)
{
    Make(30, 120, FALSE, TRUE);
    int arrowWidth = GetSystemMetrics(SM_CXHSCROLL), arrowHeight = GetSystemMetrics(SM_CYHSCROLL);
    int thumbWidth = GetSystemMetrics(SM_CXHTHUMB), thumbHeight = GetSystemMetrics(SM_CYVTHUMB);
    EXPECT_EQ(CRect(0, 0, arrowWidth, arrowHeight), bar.GetArrowRect(FALSE));
    EXPECT_EQ(CRect(0, 120 - arrowHeight, arrowWidth, 120), bar.GetArrowRect(TRUE));
    EXPECT_EQ(CRect(0, arrowHeight, 30, 120 - arrowHeight), bar.GetTrackRect());
    EXPECT_EQ(CRect(0, arrowHeight, thumbWidth, arrowHeight + thumbHeight), bar.GetThumbRect());
    bar.SetPos(100);
    // The centre stops half a thumb (rounded down) before the track's end.
    EXPECT_EQ(120 - arrowHeight - thumbHeight / 2, bar.GetThumbRect().top + thumbHeight / 2);

    bar.SetPos(20);
    UserInput::Click(bar.m_hWnd, {2, 2});
    EXPECT_EQ(15, bar.GetPos());
    EXPECT_EQ((std::vector<int>{CSkinScrollBar::CODE_STEP_BACK, CSkinScrollBar::CODE_END}),
              Codes(WM_VSCROLL));
    EXPECT_TRUE(parent.Sent(WM_HSCROLL).empty());
}

TEST_F(SkinScrollBarTest, TrackClickCentresTheThumbOnThePointThenDragFollows)
{
    Make(200, 14, TRUE);
    UserInput::ButtonDown(bar.m_hWnd, {120, 5});
    EXPECT_EQ(63, bar.GetPos());
    EXPECT_EQ(119, bar.GetThumbRect().CenterPoint().x);
    EXPECT_EQ((std::vector<int>{CSkinScrollBar::CODE_TRACK}), Codes(WM_HSCROLL));
    EXPECT_EQ(RGB(255, 255, 0), WindowPixels(bar.m_hWnd).AtClient(119, 5));
    EXPECT_EQ(RGB(64, 64, 64), WindowPixels(bar.m_hWnd).AtClient(60, 5));

    UserInput::MoveTo(bar.m_hWnd, {60, 5});
    EXPECT_EQ(24, bar.GetPos());
    UserInput::MoveTo(bar.m_hWnd, {300, 5});  // captured: past the end it stops at the maximum
    EXPECT_EQ(100, bar.GetPos());
    UserInput::ButtonUp(bar.m_hWnd, {300, 5});
    std::vector<int> codes = Codes(WM_HSCROLL);
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(CSkinScrollBar::CODE_END, codes.back());
    codes.pop_back();
    for (int code : codes)
        EXPECT_EQ(CSkinScrollBar::CODE_TRACK, code);
    EXPECT_EQ(RGB(255, 255, 0), WindowPixels(bar.m_hWnd).AtClient(176, 5));
}

TEST_F(SkinScrollBarTest, HeldArrowStepsOnceThenRepeatsAfterTheFirstTimerUntilRelease)
{
    Make(200, 14, TRUE);
    bar.SetPos(85);
    UserInput::ButtonDown(bar.m_hWnd, {190, 5});
    // The first timer has not run yet: one step only.
    EXPECT_EQ(90, bar.GetPos());
    EXPECT_EQ((std::vector<int>{CSkinScrollBar::CODE_STEP_FORWARD}), Codes(WM_HSCROLL));
    // The pressed arrow keeps stepping wherever the mouse goes, and stops at the maximum.
    UserInput::MoveTo(bar.m_hWnd, {50, 5});
    EXPECT_TRUE(PumpMessagesUntil([&] { return Codes(WM_HSCROLL).size() >= 5; }, 3000));
    EXPECT_EQ(100, bar.GetPos());
    UserInput::ButtonUp(bar.m_hWnd, {50, 5});
    std::vector<int> codes = Codes(WM_HSCROLL);
    EXPECT_EQ(CSkinScrollBar::CODE_END, codes.back());
    codes.pop_back();
    for (int code : codes)
        EXPECT_EQ(CSkinScrollBar::CODE_STEP_FORWARD, code);
    // Released: no timer steps any more.
    size_t sent = parent.Sent(WM_HSCROLL).size();
    UserInput::Settle(200);
    EXPECT_EQ(sent, parent.Sent(WM_HSCROLL).size());
}

TEST_F(SkinScrollBarTest, DrawsNothingWithoutAllFourBitmaps)
{
    Make(200, 14, FALSE);
    HWND window = bar.m_hWnd;
    WindowPixels before(window);
    ASSERT_TRUE(bar.LoadArrowBitmaps(FALSE, IDB_TEST_ARROW_FIRST, IDB_TEST_ARROW_FIRST,
                                     IDB_TEST_ARROW_FIRST, IDB_TEST_ARROW_FIRST));
    bar.Invalidate();
    EXPECT_NE(RGB(255, 0, 0), WindowPixels(window).AtClient(5, 5));
    ASSERT_TRUE(bar.LoadArrowBitmaps(TRUE, IDB_TEST_ARROW_SECOND, IDB_TEST_ARROW_SECOND,
                                     IDB_TEST_ARROW_SECOND, IDB_TEST_ARROW_SECOND));
    ASSERT_TRUE(bar.LoadThumbBitmap(IDB_TEST_THUMB));
    ASSERT_TRUE(bar.LoadTrackBitmap(IDB_TEST_TRACK));
    bar.Invalidate();
    WindowPixels after(window);
    EXPECT_EQ(RGB(255, 0, 0), after.AtClient(5, 5));
    EXPECT_EQ(RGB(0, 0, 255), after.AtClient(195, 5));
    EXPECT_EQ(RGB(255, 255, 0), after.AtClient(15, 5));
    EXPECT_EQ(RGB(64, 64, 64), after.AtClient(100, 5));
}

} // namespace
