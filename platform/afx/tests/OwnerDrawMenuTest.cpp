// A window's default handling of owner-drawn menu items: the CMenu's own virtuals measure and
// draw them.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

namespace {

class COwnerDrawnMenu : public CMenu {
public:
    std::vector<std::string> log;
    HWND trackingWindowWhileOpen = NULL;
    HMENU trackingMenuWhileOpen = NULL;

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override
    {
        log.push_back("measure " + std::to_string(lpMeasureItemStruct->itemID));
        lpMeasureItemStruct->itemWidth = 80;
        lpMeasureItemStruct->itemHeight = 20;
        trackingWindowWhileOpen = GetTrackingWindow();
        trackingMenuWhileOpen = GetTrackingMenu();
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        log.push_back("draw " + std::to_string(lpDrawItemStruct->itemID));
    }
};

COwnerDrawnMenu* g_openMenu = NULL;
DWORD g_menuStart = 0;

// Closes the open menu once its item was drawn, or after a while.
void CALLBACK CloseMenuWhenDrawn(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    bool drawn = false;
    for (const std::string& entry : g_openMenu->log)
        drawn = drawn || entry.compare(0, 4, "draw") == 0;
    if (drawn || GetTickCount() - g_menuStart > 5000) {
        KillTimer(NULL, idEvent);
        EndMenu();
    }
}

TEST(OwnerDrawnMenu, ATrackedPopupIsMeasuredAndDrawnThroughItsVirtuals)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
    SetForegroundWindow(owner.m_hWnd);
    COwnerDrawnMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 501, (LPCTSTR)0x1234));
    EXPECT_EQ(NULL, CMenu::GetTrackingWindow());

    g_openMenu = &menu;
    g_menuStart = GetTickCount();
    SetTimer(NULL, 0, 50, CloseMenuWhenDrawn);
    menu.TrackPopupMenu(TPM_LEFTALIGN, 20, 20, &owner);

    const std::vector<std::string> expected = {"measure 501", "draw 501"};
    ASSERT_GE(menu.log.size(), 2u);
    EXPECT_EQ(expected[0], menu.log[0]);
    EXPECT_EQ(expected[1], menu.log[1]);
    EXPECT_EQ(owner.m_hWnd, menu.trackingWindowWhileOpen);
    EXPECT_EQ(menu.m_hMenu, menu.trackingMenuWhileOpen);
    EXPECT_EQ(NULL, CMenu::GetTrackingWindow()) << "only while the menu is open";
    EXPECT_EQ(NULL, CMenu::GetTrackingMenu());
}

// A window's menu bar holds the owner-drawn item: found there when no popup is tracked.
TEST(OwnerDrawnMenu, AnItemOfTheWindowsMenuIsMeasuredByItsPopup)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, NULL, "owner", WS_POPUP, 0, 0, 200, 200, NULL, NULL));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    COwnerDrawnMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, 502, (LPCTSTR)0x99);
    bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, "File");
    ::SetMenu(owner.m_hWnd, bar.m_hMenu);

    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 502, 0, 0, 0x99};
    owner.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ(80u, mis.itemWidth);
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, 502, ODA_DRAWENTIRE, 0, (HWND)popup.m_hMenu, NULL, {}, 0};
    owner.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    const std::vector<std::string> expected = {"measure 502", "draw 502"};
    EXPECT_EQ(expected, popup.log);
    ::SetMenu(owner.m_hWnd, NULL);
    popup.Detach();
}

} // namespace
