// The draw styles as a tracked popup shows them: pixels of the menu window, in fixed colours.
#include <gtest/gtest.h>

#include <CMenuStyle.h>
#include <CNewMenuBitmaps.h>
#include <MenuLoopStep.h>
#include <ParentWindow.h>
#include <WindowPixels.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"

namespace {

const COLORREF kMenu = RGB(200, 100, 0);
const COLORREF kWindow = RGB(240, 240, 240);
const COLORREF kHighlight = RGB(0, 0, 128);
const COLORREF kHighlightText = RGB(255, 255, 0);
const COLORREF kMenuText = RGB(0, 0, 0);
const COLORREF kGrayText = RGB(90, 90, 90);
const COLORREF kBtnHighlight = RGB(255, 255, 255);

// The flat look's mixes of these colours.
const COLORREF kLight = RGB(234, 220, 206);       // mix 86 of the window and menu colours
const COLORREF kIconColumn = RGB(206, 120, 34);   // mix 86 of the menu and window colours
const COLORREF kSelection = RGB(168, 168, 206);   // mix 70 of the window and highlight colours
const COLORREF kBlue = RGB(0, 0, 255);             // the icon
const COLORREF kDarkenedBlue = RGB(0, 0, 205);
const COLORREF kFadedBlue = RGB(159, 145, 131);
const COLORREF kMonoIcon = RGB(149, 87, 25);      // the icon column darkened by 70

enum { kEnabledItem, kDisabledItem, kSelectedItem };
const int kIconX = 16;

// A popup of three items (an icon enabled, an icon disabled, a plain one that gets selected),
// owned by a window that has the style measure and draw them; the step reads the pixels.
class TrackedMenu
{
public:
    TrackedMenu()
        : m_colors({COLOR_MENU, 30 /* COLOR_MENUBAR */, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                    COLOR_MENUTEXT, COLOR_GRAYTEXT, COLOR_BTNHIGHLIGHT},
                   {kMenu, kMenu, kWindow, kHighlight, kHighlightText, kMenuText, kGrayText, kBtnHighlight})
    {
        int nIndex = -1;
        m_pIcons = CNewMenuIcons::GetBitmapIcons(IDB_MENU_BLUE, FALSE, RGB(255, 0, 255), &nIndex);
        m_pIcons->RefreshImages();  // its faded copy in these menu colours
        m_menu.SetIconSize(kIconX, 16);
        m_menu.Append(MF_STRING, 301, "Enabled\tF5")->SetIcon(m_pIcons, nIndex);
        m_menu.Append(MF_STRING | MF_GRAYED, 302, "Disabled")->SetIcon(m_pIcons, nIndex);
        m_menu.Append(MF_STRING, 303, "Selected");
        m_owner.SetAnswer([this](UINT message, WPARAM, LPARAM lParam, LRESULT* pResult) {
            if (message == WM_MEASUREITEM)
                CNewMenu::GetCurrentStyleObject()->MeasureItem(&m_menu, (LPMEASUREITEMSTRUCT)lParam, FALSE);
            else if (message == WM_DRAWITEM)
                CNewMenu::GetCurrentStyleObject()->DrawItem(&m_menu, (LPDRAWITEMSTRUCT)lParam, FALSE);
            else
                return FALSE;
            *pResult = TRUE;
            return TRUE;
        });
    }

    // Opens the popup, selects the third item and hands over the menu window's picture and the
    // items' rectangles in its coordinates.
    bool Show(const std::function<void(const WindowPixels&, const std::vector<CRect>&)>& check)
    {
        SetForegroundWindow(m_owner.Handle());
        MenuLoopStep step([&](HWND menuWindow) {
            HiliteMenuItem(m_owner.Handle(), m_menu.m_hMenu, kSelectedItem, MF_BYPOSITION | MF_HILITE);
            CRect window;
            GetWindowRect(menuWindow, &window);
            std::vector<CRect> items;
            for (int i = 0; i < 3; i++) {
                CRect item;
                GetMenuItemRect(menuWindow, m_menu.m_hMenu, i, &item);
                item.OffsetRect(-window.left, -window.top);
                items.push_back(item);
            }
            WindowPixels pixels(menuWindow);
            check(pixels, items);
            if (::testing::Test::HasFailure())
                pixels.SaveBmp("menu-failure.bmp");
        });
        TrackPopupMenu(m_menu.m_hMenu, TPM_LEFTALIGN, 120, 120, 0, m_owner.Handle(), NULL);
        return step.Ran();
    }

private:
    FixedSysColors m_colors;
    // Wine lays a popup's items out to the window's right edge, where the style's own shadow
    // would darken them: the system's shadow keeps these pictures to the items.
    FixedDropShadow m_shadow{TRUE};
    ParentWindow m_owner;
    CHandMadeMenu m_menu;
    CNewMenuIcons* m_pIcons = NULL;
};

// The middle of the item's icon, 3 in from its left.
CPoint IconCentre(const CRect& item) { return CPoint(item.left + 3 + 8, item.top + item.Height() / 2); }

TEST(MenuStyleDraw, TheFlatStyleShowsItsColumnsSelectionAndDerivedIcons)
{
    CNewMenu::SetCurrentStyle(2);
    TrackedMenu menu;
    ASSERT_TRUE(menu.Show([](const WindowPixels& pixels, const std::vector<CRect>& items) {
        const CRect& enabled = items[kEnabledItem];
        const CRect& selected = items[kSelectedItem];
        EXPECT_EQ(kIconColumn, pixels.At(enabled.left + 1, enabled.top + 1));
        EXPECT_EQ(kLight, pixels.At(enabled.left + kIconX + 8 + 2, enabled.top + 1));
        EXPECT_EQ(kDarkenedBlue, pixels.At(IconCentre(enabled).x, IconCentre(enabled).y));
        EXPECT_EQ(kFadedBlue, pixels.At(IconCentre(items[kDisabledItem]).x, IconCentre(items[kDisabledItem]).y));
        EXPECT_EQ(kHighlight, pixels.At(selected.left, selected.top + 2)) << "the selection's outline";
        EXPECT_EQ(kSelection, pixels.At(selected.left + 2, selected.top + 2)) << "its fill";
        EXPECT_EQ(0, pixels.Count(kHighlightText, selected)) << "flat text keeps the menu text colour";
        EXPECT_GT(pixels.Count(kMenuText, selected), 0);
    }));
}

TEST(MenuStyleDraw, TheClassicStyleHighlightsAndEmbossesGreyText)
{
    CNewMenu::SetCurrentStyle(0);
    TrackedMenu menu;
    ASSERT_TRUE(menu.Show([](const WindowPixels& pixels, const std::vector<CRect>& items) {
        const CRect& enabled = items[kEnabledItem];
        const CRect& disabled = items[kDisabledItem];
        const CRect& selected = items[kSelectedItem];
        EXPECT_EQ(kMenu, pixels.At(enabled.left + kIconX + 8, enabled.top + 1));
        EXPECT_EQ(kBlue, pixels.At(IconCentre(enabled).x, IconCentre(enabled).y)) << "the icon itself";
        EXPECT_EQ(kHighlight, pixels.At(selected.left + 1, selected.top + 1)) << "selected across the width";
        EXPECT_GT(pixels.Count(kHighlightText, selected), 0);
        CRect text(disabled);
        text.left += kIconX + 12;
        EXPECT_GT(pixels.Count(kGrayText, text), 0) << "grey text";
        EXPECT_GT(pixels.Count(kBtnHighlight, text), 0) << "over its light emboss";
        EXPECT_EQ(0, pixels.Count(kMenuText, text));
    }));
    CNewMenu::SetCurrentStyle(2);
}

TEST(MenuStyleDraw, WithoutFadedIconsADisabledItemShowsAMonochromeIcon)
{
    CNewMenu::SetCurrentStyle(2);
    int nOld = CNewMenu::SetFadedIcons(0);
    TrackedMenu menu;
    ASSERT_TRUE(menu.Show([](const WindowPixels& pixels, const std::vector<CRect>& items) {
        const CRect& enabled = items[kEnabledItem];
        const CRect& disabled = items[kDisabledItem];
        EXPECT_EQ(kBlue, pixels.At(IconCentre(enabled).x, IconCentre(enabled).y)) << "the icon itself";
        EXPECT_EQ(kMonoIcon, pixels.At(IconCentre(disabled).x, IconCentre(disabled).y));
    }));
    CNewMenu::SetFadedIcons(nOld);
}

} // namespace
