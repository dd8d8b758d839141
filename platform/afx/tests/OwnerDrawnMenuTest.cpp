#include <gtest/gtest.h>

#include <afxwin.h>

#include <vector>

#include "MenuLoopStep.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const COLORREF kItemColours[] = {RGB(0xE0, 0x20, 0x20), RGB(0x20, 0xC0, 0x40)};

// A popup whose two owner-drawn items are measured and drawn by its own virtuals, each item a
// flat colour, and which notes whether it was the thread's tracking menu at the time.
class CFlatMenu : public CMenu
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override
    {
        measure->itemWidth = 90;
        measure->itemHeight = 24;
        measured.push_back(measure->itemID);
        trackedWhileMeasured = GetTrackingMenu() == m_hMenu;
    }
    void DrawItem(LPDRAWITEMSTRUCT draw) override
    {
        CDC* dc = CDC::FromHandle(draw->hDC);
        dc->FillSolidRect(&draw->rcItem, kItemColours[draw->itemData]);
        drawn.push_back(draw->itemID);
    }

    std::vector<UINT> measured;
    std::vector<UINT> drawn;
    bool trackedWhileMeasured = false;
};

} // namespace

TEST(OwnerDrawnMenu, ATrackedPopupIsMeasuredAndDrawnThroughItsVirtualsWhileItIsTheTrackingMenu)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Menu host", WS_POPUP | WS_VISIBLE,
                              100, 100, 200, 150, NULL, NULL));
    CFlatMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 201, (LPCTSTR)0));
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 202, (LPCTSTR)1));
    EXPECT_EQ(NULL, CMenu::GetTrackingMenu());

    HMENU trackingInside = NULL;
    HWND trackingWindowInside = NULL;
    int firstColour = 0, secondColour = 0;
    MenuLoopStep step([&](HWND menuWindow) {
        trackingInside = CMenu::GetTrackingMenu();
        trackingWindowInside = CMenu::GetTrackingWindow();
        WindowPixels pixels(menuWindow);
        RECT whole = {0, 0, pixels.Width(), pixels.Height()};
        firstColour = pixels.Count(kItemColours[0], whole);
        secondColour = pixels.Count(kItemColours[1], whole);
    });
    UserInput::BringToFront(host.m_hWnd);
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, 150, 150, &host);

    ASSERT_TRUE(step.Ran());
    EXPECT_EQ(menu.m_hMenu, trackingInside);
    EXPECT_EQ(host.m_hWnd, trackingWindowInside);
    EXPECT_TRUE(menu.trackedWhileMeasured);
    EXPECT_EQ((std::vector<UINT>{201, 202}), menu.measured);
    ASSERT_GE(menu.drawn.size(), 2u);
    // Both items painted at their measured size, 90 x 24 less what the frame hides.
    EXPECT_GT(firstColour, 80 * 20);
    EXPECT_GT(secondColour, 80 * 20);
    EXPECT_EQ(NULL, CMenu::GetTrackingMenu());
    EXPECT_EQ(NULL, CMenu::GetTrackingWindow());
}
