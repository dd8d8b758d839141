#include <gtest/gtest.h>

#include "CHoverToolTip.h"
#include "CSkinTabCtrl.h"
#include "PumpMessages.h"
#include "UserInput.h"
#include "WindowPixels.h"

#include <memory>

namespace {

enum { kTabId = 100, kButtonId = 101, kTabs = 4 };

// A framework window that holds the tab control and its pages, so that the control's
// notifications come back to it reflected.
class TabHost : public CWnd
{
public:
    TabHost()
    {
        CreateEx(0, NULL, "Tabs", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 400, 300, NULL, NULL);
    }
    ~TabHost() override { DestroyWindow(); }
};

class SkinTabCtrlTest : public testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 400, 300), &host, kTabId));
        const char* captions[kTabs] = {"One", "Two", "Three", "Four"};
        for (int i = 0; i < kTabs; ++i) {
            pages[i].reset(new CWnd);
            pages[i]->CreateEx(0, "STATIC", "", WS_CHILD, 50, 50, 200, 100, host.m_hWnd, NULL);
            tabs.AddTab(pages[i].get(), captions[i], -1);
        }
        UserInput::BringToFront(host.m_hWnd);
    }

    POINT TabPoint(int index)
    {
        CRect rect;
        tabs.GetItemRect(index, &rect);
        return rect.CenterPoint();
    }

    // Which pages are visible, one bit per tab.
    int ShownPages()
    {
        int shown = 0;
        for (int i = 0; i < kTabs; ++i)
            if (pages[i]->IsWindowVisible())
                shown |= 1 << i;
        return shown;
    }

    TabHost host;
    CSkinTabCtrl tabs;
    std::unique_ptr<CWnd> pages[kTabs];
};

TEST_F(SkinTabCtrlTest, PagesSitAtTheOffsetAndOnlyTheFirstShows)
{
    EXPECT_TRUE(tabs.GetStyle() & TCS_OWNERDRAWFIXED);
    CRect rect;
    pages[2]->GetWindowRect(&rect);
    ::MapWindowPoints(NULL, host.m_hWnd, (POINT*)&rect, 2);
    EXPECT_EQ(CRect(4, 28, 204, 128), rect);
    EXPECT_EQ(1, ShownPages());
}

TEST_F(SkinTabCtrlTest, ClicksSelectEnabledTabsOnly)
{
    UserInput::Click(tabs.m_hWnd, TabPoint(2));
    EXPECT_EQ(2, tabs.GetCurSel());
    EXPECT_EQ(1 << 2, ShownPages());

    tabs.EnableTab(1, FALSE);
    UserInput::Click(tabs.m_hWnd, TabPoint(1));
    EXPECT_EQ(2, tabs.GetCurSel());
    EXPECT_EQ(1 << 2, ShownPages());
}

TEST_F(SkinTabCtrlTest, SelectTabAndByName)
{
    EXPECT_TRUE(tabs.SelectTab(0));  // the selected one: nothing hidden or shown
    EXPECT_EQ(1, ShownPages());
    pages[0]->ShowWindow(SW_HIDE);
    EXPECT_TRUE(tabs.SelectTab(0));
    EXPECT_EQ(0, ShownPages());
    pages[0]->ShowWindow(SW_SHOW);

    tabs.EnableTab(3, FALSE);
    EXPECT_FALSE(tabs.SelectTab(3));
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_TRUE(tabs.SelectTabByName("Three"));
    EXPECT_EQ(2, tabs.GetCurSel());
    EXPECT_EQ(1 << 2, ShownPages());
    EXPECT_FALSE(tabs.SelectTabByName("Five"));
    EXPECT_FALSE(tabs.SelectTabByName("Four"));
    EXPECT_EQ(2, tabs.GetCurSel());
}

TEST_F(SkinTabCtrlTest, SelectNextTabSkipsDisabledTabsWithoutWrapping)
{
    tabs.EnableTab(1, FALSE);
    tabs.EnableTab(2, FALSE);
    EXPECT_FALSE(tabs.SelectNextTab(FALSE));
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_TRUE(tabs.SelectNextTab(TRUE));
    EXPECT_EQ(3, tabs.GetCurSel());
    EXPECT_EQ(1 << 3, ShownPages());
    EXPECT_FALSE(tabs.SelectNextTab(TRUE));
    EXPECT_EQ(3, tabs.GetCurSel());
    EXPECT_EQ(1 << 3, ShownPages());
    EXPECT_TRUE(tabs.SelectNextTab(FALSE));
    EXPECT_EQ(0, tabs.GetCurSel());
}

TEST_F(SkinTabCtrlTest, WithoutColoursDisabledIsGreyAndNothingIsHovered)
{
    tabs.EnableTab(2, FALSE);
    UserInput::MoveTo(tabs.m_hWnd, TabPoint(1));
    ::RedrawWindow(tabs.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    WindowPixels pixels(tabs.m_hWnd);
    CRect disabled, hovered;
    tabs.GetItemRect(2, &disabled);
    tabs.GetItemRect(1, &hovered);
    EXPECT_GT(pixels.Count(GetSysColor(COLOR_GRAYTEXT), disabled), 0);
    EXPECT_GT(pixels.Count(GetSysColor(COLOR_BTNTEXT), hovered), 0);
}

TEST_F(SkinTabCtrlTest, HoverColourFollowsTheMouse)
{
    const COLORREF hover = RGB(255, 0, 0);
    tabs.SetHoverTextColor(hover);
    CRect rect;
    tabs.GetItemRect(1, &rect);
    UserInput::MoveTo(tabs.m_hWnd, TabPoint(1));
    UserInput::MoveTo(tabs.m_hWnd, {TabPoint(1).x + 2, TabPoint(1).y});
    EXPECT_GT(WindowPixels(tabs.m_hWnd).Count(hover, rect), 0);
    UserInput::MoveTo(tabs.m_hWnd, {200, 200});
    EXPECT_TRUE(PumpMessagesUntil([&] { return WindowPixels(tabs.m_hWnd).Count(hover, rect) == 0; }, 1000));
}

TEST(HoverToolTipTest, ToolsCarryTheirFlagsAndTexts)
{
    TabHost host;
    CWnd button;
    button.CreateEx(0, "BUTTON", "Go", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, host.m_hWnd, (HMENU)kButtonId);
    CHoverToolTip tip;
    ASSERT_TRUE(tip.Create(&host));
    EXPECT_TRUE(tip.AddTool(kButtonId, "Start recording"));
    EXPECT_TRUE(tip.AddToolRect(7, CRect(100, 100, 150, 130), "Volume"));

    char text[80] = "";
    TOOLINFOA info = {};
    info.cbSize = sizeof(info);
    info.hwnd = host.m_hWnd;
    info.uId = (UINT_PTR)button.m_hWnd;
    info.lpszText = text;
    ASSERT_TRUE(tip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&info));
    EXPECT_EQ((UINT)(TTF_IDISHWND | TTF_SUBCLASS), info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_STREQ("Start recording", text);

    info = {};
    info.cbSize = sizeof(info);
    info.hwnd = host.m_hWnd;
    info.uId = 7;
    info.lpszText = text;
    ASSERT_TRUE(tip.SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&info));
    EXPECT_EQ((UINT)TTF_SUBCLASS, info.uFlags & (TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(CRect(100, 100, 150, 130), CRect(info.rect));
    EXPECT_STREQ("Volume", text);
    button.DestroyWindow();
}

} // namespace
