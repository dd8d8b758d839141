#include <gtest/gtest.h>

#include "CSuperListBox.h"
#include "ParentWindow.h"
#include "WindowPixels.h"

namespace {

// Answers the lists' background requests with black, so that what a list blends over it is
// easy to read.
class SuperListBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        parent.SetAnswer([](UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
            if (message != WM_KIT_PAINT_BACKGROUND)
                return FALSE;
            const KitBackgroundRequest* request = (const KitBackgroundRequest*)lParam;
            FillRect(request->dc, &request->rect, (HBRUSH)GetStockObject(BLACK_BRUSH));
            *result = 1;
            return TRUE;
        });
    }
    void Make(int count, DWORD style = 92)
    {
        list.SetListStyle(style);
        ASSERT_TRUE(list.Create(WS_VISIBLE, CRect(10, 10, 134, 340), CWnd::FromHandle(parent.Handle()), 1001));
        for (int i = 0; i < count; ++i)
            list.AddString(CString("Item ") + (char)('A' + i));
        list.UpdateWindow();
    }
    void Key(UINT key) { list.SendMessage(WM_KEYDOWN, key, 0); }
    std::vector<LoggedMessage> Sent(UINT message)
    {
        list.UpdateWindow();
        return parent.Sent(message);
    }
    COLORREF At(POINT point) { return WindowPixels(list.m_hWnd).AtClient(point.x, point.y); }
    static POINT Centre(const CRect& rect) { return {rect.left + rect.Width() / 2, rect.top + 3}; }
    LPARAM At(const CRect& rect) { return MAKELPARAM(rect.left + 5, rect.top + 5); }

    ParentWindow parent{RECT{50, 50, 450, 500}};
    CSuperListBox list;
};

TEST_F(SuperListBoxTest, ItemRectanglesFollowTheGridAndOnlyThePageShows)
{
    list.SetGrid(2, 3);
    list.SetItemSize(50, 20);
    Make(8);
    struct Case { int index; RECT rect; };
    const Case cases[] = {
        {0, {4, 4, 54, 24}},
        {2, {108, 4, 158, 24}},
        {4, {56, 26, 106, 46}},
        {5, {108, 26, 158, 46}},
        {6, {0, 0, 0, 0}},
        {-1, {0, 0, 0, 0}},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_TRUE(EqualRect(&cases[i].rect, list.GetItemRect(cases[i].index))) << "row " << i;

    Key(VK_END);
    EXPECT_EQ(7, list.GetCurSel());
    EXPECT_EQ(3, list.GetTopIndex());
    EXPECT_TRUE(EqualRect(CRect(56, 26, 106, 46), list.GetItemRect(7)));
}

bool Blank(COLORREF c) { return c == RGB(0, 0, 0); }
bool Lit(COLORREF c) { return GetRValue(c) > 100 && GetGValue(c) > 100 && GetBValue(c) > 100; }

TEST_F(SuperListBoxTest, ShowsTheDownArrowWhenItemsFollowAndTheUpArrowAfterPageDown)
{
    Make(12);
    // Beside the caret of the arrows' art, on its opaque white middle.
    const POINT up = {list.GetUpArrowRect().left + 7, list.GetUpArrowRect().top + 1};
    const POINT down = {list.GetDownArrowRect().left + 7, list.GetDownArrowRect().top + 1};
    const POINT upMagenta = {list.GetUpArrowRect().left + 1, list.GetUpArrowRect().top + 1};
    EXPECT_TRUE(Blank(At(up)));
    EXPECT_TRUE(Lit(At(down)));
    EXPECT_TRUE(Blank(At(upMagenta)));

    Key(VK_NEXT);
    EXPECT_EQ(10, list.GetCurSel());
    EXPECT_EQ(1, list.GetTopIndex());
    EXPECT_TRUE(Lit(At(up)));
    EXPECT_TRUE(Lit(At(down)));
    EXPECT_TRUE(Blank(At(upMagenta))) << "the arrows' transparent colour is left out";

    Key(VK_NEXT);
    EXPECT_EQ(11, list.GetCurSel());
    EXPECT_EQ(2, list.GetTopIndex());
    EXPECT_TRUE(Blank(At(down)));
}

TEST_F(SuperListBoxTest, DrawsItemsBlendedOverTheBackgroundInTheirStateColours)
{
    Make(3);
    COLORREF current = At(Centre(list.GetItemRect(0)));
    COLORREF other = At(Centre(list.GetItemRect(1)));
    // 175 of 255 over black.
    EXPECT_NEAR(175, GetGValue(current), 2);
    EXPECT_EQ(0, GetRValue(current));
    EXPECT_NEAR(88, GetRValue(other), 2);
    EXPECT_NEAR(88, GetGValue(other), 2);

    list.SendMessage(WM_MOUSEMOVE, 0, At(list.GetItemRect(2)));
    EXPECT_EQ(2, list.GetHoverItem());
    COLORREF hover = At(Centre(list.GetItemRect(2)));
    EXPECT_NEAR(175, GetRValue(hover), 2);
    EXPECT_EQ(0, GetGValue(hover));

    list.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, list.GetHoverItem());
    EXPECT_NEAR(88, GetRValue(At(Centre(list.GetItemRect(2)))), 2);
}

TEST_F(SuperListBoxTest, KeysMoveTheCurrentItemAndSendTheNotifications)
{
    list.SetGrid(2, 2);
    Make(7);
    struct Case { UINT key; int current; int first; };
    const Case cases[] = {
        {VK_DOWN, 2, 0}, {VK_RIGHT, 3, 0}, {VK_DOWN, 5, 2}, {VK_DOWN, 6, 4},
        {VK_DOWN, 6, 4}, {VK_UP, 4, 4}, {VK_HOME, 0, 0}, {VK_NEXT, 4, 2},
        {VK_PRIOR, 0, 0}, {VK_END, 6, 4}, {VK_LEFT, 5, 4},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        Key(cases[i].key);
        EXPECT_EQ(cases[i].current, list.GetCurSel()) << "row " << i;
        EXPECT_EQ(cases[i].first, list.GetTopIndex()) << "row " << i;
    }

    auto changes = Sent(WM_KIT_SEL_CHANGE);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ((WPARAM)list.m_hWnd, changes.back().wParam);
    EXPECT_EQ(5, changes.back().lParam);

    parent.ClearLog();
    Key(VK_RETURN);
    Key(VK_BACK);
    Key(VK_TAB);
    auto activations = parent.Sent(WM_KIT_ACTIVATE);
    ASSERT_EQ(1u, activations.size());
    EXPECT_EQ((WPARAM)list.m_hWnd, activations[0].wParam);
    EXPECT_EQ(5, activations[0].lParam);
    auto backs = parent.Sent(WM_KIT_BACK);
    ASSERT_EQ(1u, backs.size());
    EXPECT_EQ((WPARAM)list.m_hWnd, backs[0].wParam);
    auto focus = parent.Sent(WM_KIT_FOCUS);
    ASSERT_EQ(1u, focus.size());
    EXPECT_EQ(KIT_FOCUS_NEXT, focus[0].lParam);
    EXPECT_TRUE(Sent(WM_KIT_SEL_CHANGE).empty()) << "the current item did not change";
}

TEST_F(SuperListBoxTest, LeftAndRightAtTheEdgeColumnsHandTheFocusToTheSiblings)
{
    Make(3);
    HWND before = CreateWindowA("BUTTON", "b", WS_CHILD | WS_VISIBLE, 200, 10, 40, 20, parent.Handle(),
                                NULL, NULL, NULL);
    SetWindowPos(before, list.m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // after the list
    list.SetFocus();
    Key(VK_RIGHT);
    EXPECT_EQ(before, GetFocus());
    EXPECT_EQ(0, list.GetCurSel());
    list.SetFocus();
    Key(VK_LEFT);
    EXPECT_EQ(list.m_hWnd, GetFocus()) << "no window before the list: it stays";
    EXPECT_EQ(0, list.GetCurSel());
    DestroyWindow(before);
}

TEST_F(SuperListBoxTest, ClicksActivateBySingleOrDoubleClickAsTheStyleSays)
{
    struct Case { DWORD style; UINT message; size_t activations; };
    const Case cases[] = {
        {92, WM_LBUTTONDOWN, 1},
        {92 & ~0x40, WM_LBUTTONDOWN, 0},
        {92 & ~0x40, WM_LBUTTONDBLCLK, 1},
        {92, WM_LBUTTONDBLCLK, 0},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        ParentWindow own;
        CSuperListBox one;
        one.SetListStyle(cases[i].style);
        ASSERT_TRUE(one.Create(WS_VISIBLE, CRect(0, 0, 124, 330), CWnd::FromHandle(own.Handle()), 1));
        for (int k = 0; k < 4; ++k)
            one.AddString("x");
        const LPARAM where = At(one.GetItemRect(2));
        one.SendMessage(WM_MOUSEMOVE, 0, where);
        one.SendMessage(cases[i].message, MK_LBUTTON, where);
        EXPECT_EQ(2, one.GetCurSel()) << "row " << i;
        auto sent = own.Sent(WM_KIT_ACTIVATE);
        ASSERT_EQ(cases[i].activations, sent.size()) << "row " << i;
        if (!sent.empty()) {
            EXPECT_EQ(2, sent[0].lParam) << "row " << i;
        }
        one.DestroyWindow();
    }
}

TEST_F(SuperListBoxTest, AClickOnAnArrowScrollsByARowKeepingTheCurrentItemShown)
{
    Make(12);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(list.GetDownArrowRect()));
    EXPECT_EQ(1, list.GetTopIndex());
    EXPECT_EQ(1, list.GetCurSel());
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(list.GetDownArrowRect()));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(list.GetDownArrowRect()));
    EXPECT_EQ(2, list.GetTopIndex()) << "no further than the last item";
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(list.GetUpArrowRect()));
    EXPECT_EQ(1, list.GetTopIndex());
    EXPECT_EQ(2, list.GetCurSel());
}

TEST_F(SuperListBoxTest, NotifiesItselfWithStyleBitOne)
{
    Make(2, 92 | CSuperListBox::SLS_NOTIFY_SELF);
    Key(VK_RETURN);
    EXPECT_TRUE(parent.Sent(WM_KIT_ACTIVATE).empty());
}

TEST_F(SuperListBoxTest, AnswersTheKeysOnlyWithStyleBit0x10)
{
    Make(1);
    EXPECT_EQ(DLGC_WANTTAB | DLGC_WANTALLKEYS, (int)list.SendMessage(WM_GETDLGCODE));
    list.SetListStyle(92 & ~0x10);
    EXPECT_EQ(DLGC_STATIC, (int)list.SendMessage(WM_GETDLGCODE));
    CString text;
    EXPECT_TRUE(list.GetItemText(0, text));
    EXPECT_STREQ("Item A", text);
    EXPECT_FALSE(list.GetItemText(1, text));
}

}  // namespace
