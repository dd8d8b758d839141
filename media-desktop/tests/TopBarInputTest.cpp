#include <gtest/gtest.h>

#include "CCaptionWnd.h"
#include "CSceneBase.h"
#include "CSceneContainer.h"
#include "CWinApp.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "UserInput.h"

namespace {

// The mouse at the screen's top brings the caption bar over the pages; below 60 it goes.
TEST(TopBarInput, TheMouseAtTheTopShowsTheCaptionBarAndBelowSixtyGivesThePageBack)
{
    ParentWindow host{RECT{0, 0, 640, 480}, WS_POPUP};
    CWnd main;
    main.Attach(host.Handle());
    CWinApp app;
    app.m_pMainWnd = &main;
    CSceneContainer container;
    // The view's part: the request becomes ShowTopBar(1), its timer 1 the bar's check.
    host.SetAnswer([&](UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
        if (message == WM_SHOW_TOP_BAR)
            container.ShowTopBar(TRUE);
        else if (message == WM_TIMER && wParam == CSceneContainer::kTopBarTimer)
            container.OnTopBarTimer();
        else
            return FALSE;
        *result = 0;
        return TRUE;
    });
    CSceneBase page;
    ASSERT_TRUE(page.Create(0, CRect(0, 0, 640, 480), &main, 1003));
    container.AddPage(&page);
    ASSERT_TRUE(container.ShowPage(0));
    UserInput::BringToFront(host.Handle());

    UserInput::MoveTo(page.m_hWnd, {300, 200});
    EXPECT_EQ(nullptr, container.GetTopBar());
    UserInput::MoveTo(page.m_hWnd, {300, 20});
    CCaptionWnd* bar = container.GetTopBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(bar->m_hWnd, main.GetDlgItem(432)->GetSafeHwnd());
    CRect rect;
    bar->GetWindowRect(&rect);
    EXPECT_EQ(CRect(0, 0, 640, 52), rect);
    EXPECT_EQ(bar->m_hWnd, GetWindow(host.Handle(), GW_CHILD)) << "above the pages";
    EXPECT_FALSE(page.IsWindowEnabled());
    EXPECT_TRUE(GetFocus() == bar->m_hWnd || IsChild(bar->m_hWnd, GetFocus()));

    // Between 40 and 60 the bar stays.
    UserInput::MoveTo(page.m_hWnd, {300, 55});
    PumpMessagesUntil([] { return false; }, 900);
    EXPECT_EQ(bar, container.GetTopBar());

    UserInput::MoveTo(page.m_hWnd, {300, 61});
    EXPECT_TRUE(PumpMessagesUntil([&] { return container.GetTopBar() == nullptr; }, 2000));
    EXPECT_TRUE(page.IsWindowEnabled());
    EXPECT_EQ(page.m_hWnd, GetFocus());
    EXPECT_FALSE(IsWindow(GetDlgItem(host.Handle(), 432)));

    page.DestroyWindow();
    app.m_pMainWnd = NULL;
    main.Detach();
}

}  // namespace
