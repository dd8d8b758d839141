#include <gtest/gtest.h>

#include "CCaptionWnd.h"
#include "CGradientCaption.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "WindowPixels.h"

namespace {

// The bar in a host that stands as the program's main window.
class CaptionWndTest : public testing::Test
{
protected:
    void SetUp() override
    {
        main.Attach(host.Handle());
        app.m_pMainWnd = &main;
        ASSERT_TRUE(caption.Create(WS_VISIBLE, CRect(0, 0, 600, 40), &main, 100));
    }
    void TearDown() override
    {
        caption.DestroyWindow();
        app.m_pMainWnd = NULL;
        main.Detach();
    }
    CRect PlaceOf(UINT id)
    {
        CRect rect;
        caption.GetDlgItem(id)->GetWindowRect(&rect);
        caption.ScreenToClient(&rect.TopLeft());
        caption.ScreenToClient(&rect.BottomRight());
        return rect;
    }
    // The text the bar's tooltip holds for the button.
    CString ToolText(UINT id)
    {
        ToolSearch search = {caption.m_hWnd, caption.GetDlgItem(id)->m_hWnd, ""};
        EnumThreadWindows(GetCurrentThreadId(), AskToolTip, (LPARAM)&search);
        return CString(search.text);
    }
    struct ToolSearch
    {
        HWND caption;
        HWND button;
        char text[256];
    };
    static BOOL CALLBACK AskToolTip(HWND window, LPARAM lParam)
    {
        ToolSearch* search = (ToolSearch*)lParam;
        char name[64];
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0)
            return TRUE;
        TOOLINFOA info = {TTTOOLINFOA_V1_SIZE, TTF_IDISHWND, search->caption, (UINT_PTR)search->button, {}, NULL, NULL, 0, NULL};
        info.lpszText = search->text;
        SendMessageA(window, TTM_GETTEXTA, sizeof(search->text), (LPARAM)&info);
        return search->text[0] == '\0';
    }

    CWinApp app;
    ParentWindow host{RECT{20, 20, 700, 200}};
    CWnd main;
    CCaptionWnd caption;
};

TEST_F(CaptionWndTest, PlacesItsButtonsByTheirBitmaps)
{
    struct Case { UINT id; RECT place; };
    const Case cases[] = {
        {2200, {50, 3, 74, 27}},     // at 50,3, 24 by 24
        {2210, {490, 10, 550, 30}},  // right edge 50 in, centred, 60 by 20
        {2203, {240, 8, 360, 32}},   // centred, 120 by 24
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_TRUE(EqualRect(&cases[i].place, PlaceOf(cases[i].id))) << "row " << i;

    caption.MoveWindow(0, 0, 400, 60);
    EXPECT_TRUE(EqualRect(CRect(290, 20, 350, 40), PlaceOf(2210)));
    EXPECT_TRUE(EqualRect(CRect(140, 18, 260, 42), PlaceOf(2203)));
}

TEST_F(CaptionWndTest, DrawsTheSkinPictureAndTheButtonsNormalImages)
{
    WindowPixels bar(caption.m_hWnd);
    EXPECT_EQ(RGB(0x10, 0x20, 0x40), bar.AtClient(10, 35));
    EXPECT_EQ(RGB(0x20, 0x40, 0x80), bar.AtClient(590, 35));
    EXPECT_EQ(RGB(0x00, 0x80, 0xFF), WindowPixels(caption.GetDlgItem(2200)->m_hWnd).AtClient(3, 3));
}

TEST_F(CaptionWndTest, ShowsTheTwoTooltipTexts)
{
    EXPECT_STREQ("系统设置", ToolText(2200));
    EXPECT_STREQ("访问Quorvex网站", ToolText(2210));
}

TEST_F(CaptionWndTest, SendsItsCommandsToTheMainWindowWithItselfAsLParam)
{
    for (UINT id : {2200u, 2210u}) {
        host.ClearLog();
        caption.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            (LPARAM)caption.GetDlgItem(id)->m_hWnd);
        auto sent = host.Sent(WM_COMMAND);
        ASSERT_EQ(1u, sent.size()) << id;
        EXPECT_EQ(id, sent[0].wParam) << id;
        EXPECT_EQ((LPARAM)caption.m_hWnd, sent[0].lParam) << id;
    }
}

TEST(GradientCaption, DrawsThePageNameLeftAndTheConstantTextRightOnTheGradient)
{
    ParentWindow host{RECT{20, 20, 400, 200}};
    CGradientCaption caption;
    ASSERT_TRUE(caption.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 256, 30),
                               CWnd::FromHandle(host.Handle()), 1005));
    caption.SetConstantText("Prefs");
    caption.SetFont("Verdana", 700, 14);
    caption.SetTextColor(RGB(255, 0, 255));
    caption.SetWindowText("Page");
    WindowPixels pixels(caption.m_hWnd);

    EXPECT_EQ(0, pixels.Count(RGB(255, 0, 255), CRect(0, 0, 5, 30))) << "5 pixels in";
    EXPECT_LT(0, pixels.Count(RGB(255, 0, 255), CRect(5, 0, 60, 30)));
    EXPECT_EQ(0, pixels.Count(RGB(255, 0, 255), CRect(60, 0, 256, 30)));
    EXPECT_EQ(0, pixels.Count(RGB(255, 255, 0), CRect(0, 0, 180, 30)));
    EXPECT_LT(0, pixels.Count(RGB(255, 255, 0), CRect(180, 0, 251, 30)));
    EXPECT_EQ(0, pixels.Count(RGB(255, 255, 0), CRect(251, 0, 256, 30))) << "5 pixels in";
    EXPECT_EQ(RGB(0, 0, 0), pixels.AtClient(0, 1));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_NEAR(GetRValue(face), GetRValue(pixels.AtClient(255, 1)), 2);
    EXPECT_NEAR(GetRValue(face) * 3 / 4, GetRValue(pixels.AtClient(128, 1)), 3)
        << "the square of half the width from the right";
}

}  // namespace
