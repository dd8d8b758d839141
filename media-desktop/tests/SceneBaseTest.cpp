#include <gtest/gtest.h>

#include "CMenuListBox.h"
#include "CSceneBase.h"
#include "CStatusText.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "WindowPixels.h"

namespace {

class SceneBaseTest : public testing::Test
{
protected:
    void SetUp() override
    {
        CoInitialize(NULL);
        ASSERT_TRUE(page.Create(WS_VISIBLE, CRect(0, 0, 200, 100), CWnd::FromHandle(host.Handle()), 1));
    }
    void TearDown() override
    {
        page.DestroyWindow();
        CoUninitialize();
    }
    // The middle of an empty list at rect, which shows only what the page lends it.
    COLORREF BackgroundOfListAt(const CRect& rect)
    {
        CSuperListBox list;
        EXPECT_TRUE(list.Create(WS_VISIBLE, rect, &page, 10));
        COLORREF middle = WindowPixels(list.m_hWnd).AtClient(rect.Width() / 2, rect.Height() / 2);
        list.DestroyWindow();
        return middle;
    }

    ParentWindow host{RECT{50, 50, 400, 300}};
    CSceneBase page;
    TempFolder temp;
};

bool Near(COLORREF expected, COLORREF actual)
{
    return abs(GetRValue(expected) - GetRValue(actual)) < 40
           && abs(GetGValue(expected) - GetGValue(actual)) < 40
           && abs(GetBValue(expected) - GetBValue(actual)) < 40;
}

TEST_F(SceneBaseTest, LendsEachChildThePartOfItsPictureUnderIt)
{
    const std::string jpeg = temp.FilePath("bk.jpg");
    ASSERT_TRUE(WriteQuartersJpeg(jpeg));
    ASSERT_TRUE(page.SetBackground(jpeg.c_str()));
    // The 64 by 32 picture stretched over the 200 by 100 page.
    EXPECT_TRUE(Near(kQuarters[0], BackgroundOfListAt(CRect(10, 5, 90, 45))));
    EXPECT_TRUE(Near(kQuarters[1], BackgroundOfListAt(CRect(110, 5, 190, 45))));
    EXPECT_TRUE(Near(kQuarters[3], BackgroundOfListAt(CRect(110, 55, 190, 95))));
    EXPECT_TRUE(Near(kQuarters[2], WindowPixels(page.m_hWnd).AtClient(20, 90)));
}

TEST_F(SceneBaseTest, LendsButtonFaceWithoutAPicture)
{
    EXPECT_FALSE(page.SetBackground(temp.FilePath("missing.jpg").c_str()));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), BackgroundOfListAt(CRect(110, 55, 190, 95)));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), WindowPixels(page.m_hWnd).AtClient(5, 5));
}

TEST_F(SceneBaseTest, MovesTheFocusAsAskedAndTheStatusLinePassesItOn)
{
    CSuperListBox first;
    CStatusText status;
    CSuperListBox last;
    ASSERT_TRUE(first.Create(WS_VISIBLE, CRect(0, 0, 60, 40), &page, 11));
    ASSERT_TRUE(status.Create(WS_VISIBLE, CRect(0, 50, 200, 80), &page, 12));
    ASSERT_TRUE(last.Create(WS_VISIBLE, CRect(100, 0, 160, 40), &page, 13));
    first.AddString("a");
    last.AddString("b");

    page.SetFocus();
    EXPECT_EQ(first.m_hWnd, GetFocus()) << "the first visible child";
    EXPECT_EQ(first.m_hWnd, page.GetFocusChild());

    struct Case { CWnd* from; LPARAM request; CWnd* focused; };
    const Case cases[] = {
        {&first, KIT_FOCUS_NEXT, &last},       // the status line hands it on to the next
        {&last, KIT_FOCUS_NEXT, &first},       // wrapping round
        {&first, KIT_FOCUS_PREVIOUS, &last},   // wrapping round backwards
        {&last, KIT_FOCUS_PREVIOUS, &first},   // the next is where it came from: the previous
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        cases[i].from->SetFocus();
        page.SendMessage(WM_KIT_FOCUS, (WPARAM)cases[i].from->m_hWnd, cases[i].request);
        EXPECT_EQ(cases[i].focused->m_hWnd, GetFocus()) << "row " << i;
        EXPECT_EQ(cases[i].focused->m_hWnd, page.GetFocusChild()) << "row " << i;
    }

    SetFocus(host.Handle());
    page.SetFocus();
    EXPECT_EQ(first.m_hWnd, GetFocus()) << "the child that had it last";
}

TEST_F(SceneBaseTest, TheStatusLineNeverTakesInput)
{
    CStatusText status;
    ASSERT_TRUE(status.Create(WS_VISIBLE, CRect(0, 50, 200, 80), &page, 12));
    CString text;
    EXPECT_TRUE(status.GetItemText(0, text));
    EXPECT_STREQ("StatusSB_Text", text);
    EXPECT_EQ(DLGC_STATIC, (int)status.SendMessage(WM_GETDLGCODE));
    EXPECT_EQ(MA_NOACTIVATEANDEAT, (int)status.SendMessage(WM_MOUSEACTIVATE, (WPARAM)host.Handle(),
                                                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
    EXPECT_EQ(HTNOWHERE, (int)status.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(60, 110)));
}

TEST_F(SceneBaseTest, CommandListItemsDrawFromTheirBitmaps)
{
    CMenuListBox menu;
    ASSERT_TRUE(menu.Create(WS_VISIBLE, CRect(0, 0, 124, 100), &page, 14));
    menu.AddString("A");
    menu.AddString("B");
    menu.AddString("C");
    menu.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, menu.GetItemRect(2).top + 5));
    WindowPixels pixels(menu.m_hWnd);
    // Bitmaps 137 (current), 138 (hover) and 139, at 175 of 255 over button face.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto blended = [&](COLORREF art) {
        return RGB((GetRValue(art) * 175 + GetRValue(face) * 80) / 255,
                   (GetGValue(art) * 175 + GetGValue(face) * 80) / 255,
                   (GetBValue(art) * 175 + GetBValue(face) * 80) / 255);
    };
    const COLORREF expected[3] = {blended(RGB(0, 0xA0, 0)), blended(RGB(0x40, 0x40, 0x40)),
                                  blended(RGB(0xC0, 0, 0))};
    for (int i = 0; i < 3; ++i) {
        COLORREF shown = pixels.AtClient(menu.GetItemRect(i).left + 2, menu.GetItemRect(i).top + 2);
        EXPECT_NEAR(GetRValue(expected[i]), GetRValue(shown), 2) << "item " << i;
        EXPECT_NEAR(GetGValue(expected[i]), GetGValue(shown), 2) << "item " << i;
        EXPECT_NEAR(GetBValue(expected[i]), GetBValue(shown), 2) << "item " << i;
    }
}

TEST_F(SceneBaseTest, AMouseNearTheScreensTopAsksTheMainWindowForTheCaptionBar)
{
    CWinApp app;
    CWnd main;
    main.Attach(host.Handle());
    app.m_pMainWnd = &main;
    SetWindowPos(host.Handle(), NULL, 50, -60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto screenY = [&](int clientY) {
        POINT point = {5, clientY};
        ClientToScreen(page.m_hWnd, &point);
        return point.y;
    };
    ASSERT_LT(screenY(10), 40);
    ASSERT_GE(screenY(99), 40);

    host.ClearLog();
    page.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 99));
    EXPECT_TRUE(host.Sent(WM_SHOW_TOP_BAR).empty());
    page.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 10));
    auto sent = host.Sent(WM_SHOW_TOP_BAR);
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(0u, sent[0].wParam);
    EXPECT_EQ(0, sent[0].lParam);
    app.m_pMainWnd = NULL;
    main.Detach();
}

}  // namespace
