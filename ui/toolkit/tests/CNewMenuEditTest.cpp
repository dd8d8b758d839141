// Editing a loaded CNewMenu: items added, changed, found and removed, titles and check images,
// each leaving every item's data the record of its menu's item list.
#include <gtest/gtest.h>

#include <CNewMenu.h>
#include <CNewMenuBitmaps.h>
#include <CNewMenuIcons.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"

#include <memory>
#include <string>
#include <vector>

namespace {

enum { kOpen = 100, kSave = 200, kCut = 300, kNew = 400 };

ULONG_PTR ItemData(HMENU hMenu, int nPos)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA | MIIM_FTYPE;
    if (!GetMenuItemInfoA(hMenu, nPos, TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return 0;
    return info.dwItemData;
}

// The records' texts in menu order ("-" for a separator), after checking that each item is
// owner-drawn with its own record.
std::string Texts(CNewMenu& menu)
{
    std::string texts;
    int nCount = GetMenuItemCount(menu.m_hMenu);
    EXPECT_EQ(nCount, menu.GetItemDataCount());
    for (int i = 0; i < nCount && i < menu.GetItemDataCount(); i++) {
        CNewMenuItemData* pData = menu.GetItemData(i);
        EXPECT_EQ((ULONG_PTR)pData, ItemData(menu.m_hMenu, i)) << i;
        texts += (texts.empty() ? "" : ",") +
                 std::string(pData->m_nFlags & MF_SEPARATOR ? "-" : (const char*)pData->m_szMenuText);
    }
    return texts;
}

CNewMenu* SubMenu(CNewMenu& menu, int nPos)
{
    return (CNewMenu*)CMenu::FromHandlePermanent(GetSubMenu(menu.m_hMenu, nPos));
}

// A bar of "File" (Open, Save) and "Edit" (Open, Cut), loaded.
void LoadTwoPopups(CNewMenu& menu)
{
    HMENU hBar = CreateMenu();
    HMENU hFile = CreatePopupMenu();
    AppendMenuA(hFile, MF_STRING, kOpen, "Open");
    AppendMenuA(hFile, MF_STRING, kSave, "Save");
    HMENU hEdit = CreatePopupMenu();
    AppendMenuA(hEdit, MF_STRING, kOpen, "Open");
    AppendMenuA(hEdit, MF_STRING, kCut, "Cut");
    AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hFile, "File");
    AppendMenuA(hBar, MF_POPUP, (UINT_PTR)hEdit, "Edit");
    ASSERT_TRUE(menu.LoadMenu(hBar));
}

TEST(NewMenuEdit, ACommandInTwoSubMenusIsModifiedInBoth)
{
    CNewMenu menu;
    LoadTwoPopups(menu);
    ASSERT_TRUE(menu.ModifyItem("Open it", kOpen, IDB_MENU_BLUE));
    for (int popup = 0; popup < 2; popup++) {
        CNewMenu* pSub = SubMenu(menu, popup);
        EXPECT_EQ(popup ? "Open it,Cut" : "Open it,Save", Texts(*pSub));
        EXPECT_TRUE(pSub->GetItemData(0)->HasIcon()) << popup;
        EXPECT_EQ(pSub->GetItemData(0), pSub->FindItemData(kOpen));
    }
    EXPECT_EQ(SubMenu(menu, 0)->GetItemData(0)->GetIcons(), SubMenu(menu, 1)->GetItemData(0)->GetIcons());

    EXPECT_FALSE(menu.ModifyItem("Nowhere", kNew, IDB_MENU_BLUE));
    EXPECT_EQ("File,Edit", Texts(menu)) << "no record for a command that is nowhere";
}

TEST(NewMenuEdit, InsertingByCommandPutsTheItemBeforeItInItsSubMenu)
{
    CNewMenu menu;
    LoadTwoPopups(menu);
    ASSERT_TRUE(menu.InsertItem(kCut, "New", MF_STRING, kNew));
    EXPECT_EQ("Open,New,Cut", Texts(*SubMenu(menu, 1)));
    EXPECT_EQ("Open,Save", Texts(*SubMenu(menu, 0)));
    EXPECT_EQ((UINT_PTR)kNew, SubMenu(menu, 1)->GetItemData(1)->m_nID);

    CNewMenu* pFile = SubMenu(menu, 0);
    ASSERT_TRUE(pFile->InsertItem(1, NULL, MF_BYPOSITION, 0));
    ASSERT_TRUE(pFile->InsertItem((UINT)-1, "Last", MF_BYPOSITION, kCut, IDB_MENU_BLUE));
    ASSERT_TRUE(pFile->InsertItem((UINT)-1, "Plain", MF_BYPOSITION, kNew, -1));
    EXPECT_EQ("Open,-,Save,Last,Plain", Texts(*pFile));
    EXPECT_EQ((UINT)(MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION), pFile->GetItemData(1)->m_nFlags);
    ASSERT_TRUE(pFile->GetItemData(3)->HasIcon()) << "no toolbar of that id: the bitmap's icon";
    EXPECT_TRUE(pFile->GetItemData(3)->GetIcons()->IsKindOf(RUNTIME_CLASS(CNewMenuBitmaps)));
    EXPECT_FALSE(pFile->GetItemData(4)->HasIcon());
    ASSERT_TRUE(pFile->InsertMenu(0, MF_BYPOSITION | MF_STRING, ID_MENU_SECOND, "Second", IDR_MENU_TOOLBAR));
    EXPECT_EQ(3, pFile->GetItemData(0)->GetIconIndex()) << "the toolbar's image of the command";

    EXPECT_FALSE(menu.InsertItem(kNew + 1, "Nowhere", MF_STRING, kNew));
}

TEST(NewMenuEdit, TitlesOnAnEmptyAndALongerMenu)
{
    struct Case {
        int items;
        DWORD flags;
        BOOL result;
        bool breakAfter;
    };
    const Case cases[] = {
        // items flags                              result breakAfter
        {0,     kMenuTitle,                         FALSE, false},
        {0,     kMenuTitle | kMenuTitleVertical,    FALSE, false},
        {3,     kMenuTitle,                         TRUE,  false},
        {3,     kMenuTitleVertical,                 TRUE,  true},
    };
    for (int i = 0; i < (int)(sizeof(cases) / sizeof(cases[0])); i++) {
        const Case& c = cases[i];
        CNewMenu menu;
        menu.CreatePopupMenu();
        for (int item = 0; item < c.items; item++)
            menu.AppendItem("Item", MF_STRING, kOpen + item);
        EXPECT_EQ(c.result, menu.SetTitle("Title", c.flags)) << i;
        ASSERT_EQ(c.items + 1, menu.GetItemDataCount()) << i;
        CNewMenuItemData* pTitle = menu.GetItemData(0);
        EXPECT_TRUE(pTitle->IsTitle()) << i;
        EXPECT_EQ(c.flags | kMenuTitle, pTitle->m_nTitleFlags) << i;
        EXPECT_EQ("Title", std::string(pTitle->m_szMenuText)) << i;
        if (c.items > 0) {
            EXPECT_EQ(c.breakAfter, (GetMenuState(menu.m_hMenu, 1, MF_BYPOSITION) & MF_MENUBREAK) != 0) << i;
        }

        EXPECT_TRUE(menu.SetTitle("Again", c.flags) == c.result) << "the title separator is reused";
        EXPECT_EQ(c.items + 1, menu.GetItemDataCount()) << i;
        EXPECT_TRUE(menu.RemoveTitle()) << i;
        EXPECT_EQ(c.items, menu.GetItemDataCount()) << i;
        if (c.items > 0) {
            EXPECT_EQ(0u, GetMenuState(menu.m_hMenu, 0, MF_BYPOSITION) & MF_MENUBREAK) << i;
        }
        EXPECT_FALSE(menu.RemoveTitle()) << i;
    }
}

TEST(NewMenuEdit, RemoveMenuByTextTakesTheItemOrItsNeighbours)
{
    struct Case {
        int which;
        BOOL result;
        const char* texts;
    };
    const Case cases[] = {
        // which                     result texts
        {CNewMenu::kRemoveItem,   TRUE,  "A,-,-,C"},
        {CNewMenu::kRemoveBefore, TRUE,  "A,B,-,C"},
        {CNewMenu::kRemoveAfter,  TRUE,  "A,-,B,C"},
        {CNewMenu::kRemoveBoth,   TRUE,  "A,B,C"},
        {7,                       FALSE, "A,-,B,-,C"},
    };
    for (const Case& c : cases) {
        CNewMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, kOpen, "A");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kSave, "B");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, kCut, "C");
        EXPECT_EQ(c.result, menu.RemoveMenuByText("B", c.which)) << c.which;
        EXPECT_EQ(c.texts, Texts(menu)) << c.which;
        EXPECT_FALSE(menu.RemoveMenuByText("Z", c.which)) << c.which;
    }
    CNewMenu edge;
    edge.CreatePopupMenu();
    edge.AppendItem("Only", MF_STRING, kOpen);
    EXPECT_FALSE(edge.RemoveMenuByText("Only", CNewMenu::kRemoveBefore));
    EXPECT_FALSE(edge.RemoveMenuByText("Only", CNewMenu::kRemoveAfter));
    EXPECT_EQ("Only", Texts(edge));
}

TEST(NewMenuEdit, AFailingCheckMarkImageLeavesNoList)
{
    CNewMenu menu;
    menu.CreatePopupMenu();
    ASSERT_TRUE(menu.SetCheckMarkImages(IDB_MENU_BLUE, IDB_MENU_BLUE));
    ASSERT_NE(nullptr, menu.GetCheckImages());
    EXPECT_EQ(2, menu.GetCheckImages()->GetImageCount());
    CNewMenu* pPopup = menu.AppendPopup("Sub");
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(menu.GetCheckImages(), pPopup->GetCheckImages()) << "shared with the popup";

    EXPECT_FALSE(menu.SetCheckMarkImages(IDB_MENU_BLUE, 4199));
    EXPECT_EQ(nullptr, menu.GetCheckImages());
    EXPECT_EQ(nullptr, pPopup->GetCheckImages()) << "the popup does not keep the freed list";
    EXPECT_FALSE(menu.SetCheckMarkImages(0, IDB_MENU_BLUE));
    EXPECT_EQ(nullptr, menu.GetCheckImages());
}

TEST(NewMenuEdit, DeletingAPopupFreesItsSubMenuObjectRemovingItDoesNot)
{
    for (int bDelete = 0; bDelete < 2; bDelete++) {
        CNewMenu menu;
        menu.CreateMenu();
        menu.AppendItem("First", MF_STRING, kOpen);
        CNewMenu* pPopup = menu.AppendPopup("Popup");
        ASSERT_NE(nullptr, pPopup);
        pPopup->AppendItem("Inner", MF_STRING, kCut);
        HMENU hPopup = pPopup->m_hMenu;
        EXPECT_EQ(menu.m_hMenu, pPopup->GetParent());
        EXPECT_EQ(pPopup, menu.FindText("Inner", *std::make_unique<int>().get()));
        if (bDelete) {
            EXPECT_TRUE(menu.DeleteMenu(1, MF_BYPOSITION));
            EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hPopup));
            EXPECT_FALSE(IsMenu(hPopup));
        } else {
            EXPECT_TRUE(menu.RemoveMenu(1, MF_BYPOSITION));
            EXPECT_EQ(pPopup, CMenu::FromHandlePermanent(hPopup)) << "the caller's now";
            EXPECT_TRUE(IsMenu(hPopup));
            delete pPopup;
        }
        EXPECT_EQ("First", Texts(menu));
    }
}

TEST(NewMenuEdit, FindingByTextAndCommand)
{
    CNewMenu menu;
    LoadTwoPopups(menu);
    EXPECT_EQ(1, menu.FindTextPosition("Edit")) << "a menu of popups only";
    EXPECT_EQ(-1, menu.FindTextPosition("Cut")) << "this menu's own items only";
    int nPos = 0;
    EXPECT_EQ(SubMenu(menu, 1), menu.FindCommand(kCut, nPos));
    EXPECT_EQ(1, nPos);
    EXPECT_EQ(nullptr, menu.FindCommand(kNew, nPos));
    EXPECT_EQ(-1, nPos);
    EXPECT_EQ(SubMenu(menu, 0), menu.FindText("Save", nPos));
    EXPECT_EQ(1, nPos);
    EXPECT_EQ(nullptr, menu.FindItemData(kNew));

    EXPECT_TRUE(menu.SetMenuText(kCut, "Cut out"));
    EXPECT_TRUE(SubMenu(menu, 0)->SetMenuText(1, "Save as", MF_BYPOSITION));
    EXPECT_FALSE(SubMenu(menu, 0)->SetMenuText(2, "Past the end", MF_BYPOSITION));
    EXPECT_EQ("Open,Cut out", Texts(*SubMenu(menu, 1)));
    EXPECT_TRUE(menu.ModifyItem("Save all", "Save as", IDB_MENU_BLUE));
    EXPECT_EQ("Open,Save all", Texts(*SubMenu(menu, 0)));
    EXPECT_TRUE(SubMenu(menu, 0)->GetItemData(1)->HasIcon());

    CNewMenu* pEdit = SubMenu(menu, 1);
    EXPECT_TRUE(pEdit->SetItemValue(kCut, 77));
    EXPECT_EQ(77u, pEdit->GetItemValue(1, TRUE));
    EXPECT_EQ((DWORD)-1, pEdit->GetItemValue(kNew));
    EXPECT_EQ((DWORD)-1, menu.GetItemValue(kCut)) << "a record of a sub-menu is not the bar's";
}

TEST(NewMenuEdit, IconsFromABitmapAndFromAColourSwatch)
{
    CNewMenu menu;
    LoadTwoPopups(menu);
    CBitmap blue;
    ASSERT_TRUE(blue.LoadBitmap(IDB_MENU_BLUE));
    ASSERT_TRUE(menu.ModifyItem(NULL, kSave, &blue));
    ASSERT_TRUE(menu.ModifyItem("Cut", kCut, RGB(255, 0, 0), RGB(0, 0, 0)));
    struct Case {
        UINT id;
        int x, y;
        COLORREF colour;
    };
    const Case cases[] = {
        // id    x  y  colour
        {kSave,  8, 7, RGB(0, 0, 255)},
        {kCut,   8, 7, RGB(255, 0, 0)},  // the fill
        {kCut,   0, 0, RGB(0, 0, 0)},    // the border
    };
    for (const Case& c : cases) {
        CNewMenuItemData* pData = menu.FindItemData(c.id);
        ASSERT_TRUE(pData != NULL && pData->HasIcon()) << c.id;
        EXPECT_EQ(c.colour, ImagePixel(pData->GetIcons()->GetImageList()->m_hImageList, pData->GetIconIndex(), c.x, c.y))
            << c.id << " at " << c.x << "," << c.y;
    }
}

} // namespace
