// Menus loaded from a resource as owner-drawn items: records, reconversion, texts, mnemonics,
// toolbar icons and their freeing.
#include <gtest/gtest.h>

#include <CNewMenu.h>
#include <CNewMenuIcons.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"
#include "NewMenuTestResources.h"

namespace {

// Positions in the resource's "&File" popup.
enum { kFirst, kSeparator, kSecond, kMore, kRestore, kClose, kMinimize };

CNewMenu* SubMenuOf(CMenu* pMenu, int nPos)
{
    CMenu* pSub = CMenu::FromHandlePermanent(::GetSubMenu(pMenu->m_hMenu, nPos));
    return pSub != NULL && pSub->IsKindOf(RUNTIME_CLASS(CNewMenu)) ? (CNewMenu*)pSub : NULL;
}

// Every item of the tree is owner-drawn and carries its menu's record at its position.
void ExpectOwnerDrawn(CNewMenu* pMenu)
{
    int nCount = ::GetMenuItemCount(pMenu->m_hMenu);
    ASSERT_EQ(nCount, pMenu->GetItemDataCount());
    for (int i = 0; i < nCount; i++) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        ASSERT_TRUE(::GetMenuItemInfoA(pMenu->m_hMenu, i, TRUE, &info));
        EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "item " << i;
        EXPECT_EQ((ULONG_PTR)pMenu->GetItemData(i), info.dwItemData) << "item " << i;
        if (info.hSubMenu != NULL) {
            CNewMenu* pSub = SubMenuOf(pMenu, i);
            ASSERT_NE(nullptr, pSub);
            EXPECT_EQ(pMenu->m_hMenu, pSub->GetParent());
            EXPECT_TRUE(pSub->IsPopup());
            ExpectOwnerDrawn(pSub);
        }
    }
}

TEST(NewMenu, LoadsEveryItemOwnerDrawnWithItsResourceText)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    EXPECT_FALSE(menu.IsPopup());
    ExpectOwnerDrawn(&menu);

    CNewMenu* pFile = SubMenuOf(&menu, 0);
    ASSERT_NE(nullptr, pFile);
    EXPECT_STREQ("&File", menu.GetItemData(0)->m_szMenuText);
    EXPECT_EQ((UINT_PTR)pFile->m_hMenu, menu.GetItemData(0)->m_nID);
    EXPECT_STREQ("&First\tCtrl+F", pFile->GetItemData(kFirst)->m_szMenuText);
    EXPECT_EQ((UINT_PTR)ID_MENU_FIRST, pFile->GetItemData(kFirst)->m_nID);
    EXPECT_EQ(0u, pFile->GetItemData(kSeparator)->m_nID);
    EXPECT_TRUE(pFile->GetItemData(kSeparator)->m_szMenuText.IsEmpty());
    EXPECT_TRUE(pFile->GetItemData(kSeparator)->m_nFlags & MF_SEPARATOR);
    EXPECT_STREQ("&More", pFile->GetItemData(kMore)->m_szMenuText);
    EXPECT_STREQ("&Third\tCtrl+T", SubMenuOf(pFile, kMore)->GetItemData(0)->m_szMenuText);

    EXPECT_FALSE(CNewMenu().LoadMenu((HMENU)(UINT_PTR)0x1234)) << "a handle that is no menu";
    EXPECT_FALSE(CNewMenu().LoadMenu(9999)) << "a missing resource";
    EXPECT_TRUE(menu.LoadToolbars(NULL, 0));
}

TEST(NewMenu, ReconvertingKeepsTheRecordsAndAnEmptyTextNeverOverwrites)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    CNewMenu* pFile = SubMenuOf(&menu, 0);
    std::vector<CNewMenuItemData*> before;
    for (int i = 0; i < pFile->GetItemDataCount(); i++)
        before.push_back(pFile->GetItemData(i));

    pFile->SyncItems();
    for (int i = 0; i < pFile->GetItemDataCount(); i++)
        EXPECT_EQ(before[i], pFile->GetItemData(i)) << "item " << i;

    // The popup item handed back to the system with an empty text, and a command renamed.
    HMENU hMore = ::GetSubMenu(pFile->m_hMenu, kMore);
    ASSERT_TRUE(::ModifyMenuA(pFile->m_hMenu, kMore, MF_BYPOSITION | MF_POPUP | MF_STRING, (UINT_PTR)hMore, ""));
    ASSERT_TRUE(::ModifyMenuA(pFile->m_hMenu, kSecond, MF_BYPOSITION | MF_STRING, ID_MENU_SECOND, "S&econd"));
    pFile->SyncItems();
    EXPECT_EQ(before[kMore], pFile->GetItemData(kMore));
    EXPECT_STREQ("&More", pFile->GetItemData(kMore)->m_szMenuText);
    EXPECT_STREQ("S&econd", pFile->GetItemData(kSecond)->m_szMenuText);
    ExpectOwnerDrawn(pFile);

    // A removed item's record goes; an added one gets its own.
    ::DeleteMenu(pFile->m_hMenu, kFirst, MF_BYPOSITION);
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 555, "Added");
    pFile->SyncItems();
    EXPECT_EQ(before[kSeparator], pFile->GetItemData(0));
    EXPECT_STREQ("Added", pFile->GetItemData(pFile->GetItemDataCount() - 1)->m_szMenuText);
    ExpectOwnerDrawn(pFile);
}

TEST(NewMenu, DestroyMenuFreesRecordsSubMenuObjectsAndIconReferences)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    ASSERT_TRUE(menu.LoadToolbar(IDR_MENU_TOOLBAR));
    CNewMenu* pFile = SubMenuOf(&menu, 0);
    CNewMenuIcons* pIcons = pFile->GetItemData(kFirst)->GetIcons();
    ASSERT_NE(nullptr, pIcons);
    EXPECT_EQ(3, pIcons->GetRefCount());
    HMENU hFile = pFile->m_hMenu;
    HMENU hMore = ::GetSubMenu(hFile, kMore);

    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(0, menu.GetItemDataCount());
    EXPECT_EQ(nullptr, menu.m_hMenu);
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hFile));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(hMore));
    EXPECT_EQ(nullptr, CNewMenuIcons::GetIconsList().Find(pIcons)) << "its last holder gave it back";
}

TEST(NewMenu, ToolbarIconsGoToTheirCommandsAnywhereInTheTree)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    const UINT toolbars[] = {IDR_MENU_TOOLBAR};
    ASSERT_TRUE(menu.LoadToolbars(toolbars, 1));
    EXPECT_FALSE(menu.LoadToolbar(9999));
    CNewMenu* pFile = SubMenuOf(&menu, 0);
    EXPECT_EQ(0, pFile->GetItemData(kFirst)->GetIconIndex());
    EXPECT_EQ(3, pFile->GetItemData(kSecond)->GetIconIndex());
    EXPECT_EQ(6, SubMenuOf(pFile, kMore)->GetItemData(0)->GetIconIndex());
    EXPECT_FALSE(pFile->GetItemData(kClose)->HasIcon());
    EXPECT_EQ(16, menu.GetIconWidth());
    EXPECT_EQ(16, menu.GetIconHeight()) << "raised to the toolbar's";
}

TEST(NewMenu, TextsBySubMenuPositionAndCommand)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    CString text;
    EXPECT_TRUE(menu.GetMenuText(0, text, MF_BYPOSITION));
    EXPECT_STREQ("&File", text);
    EXPECT_FALSE(menu.GetMenuText(1, text, MF_BYPOSITION));
    EXPECT_TRUE(menu.GetMenuText(ID_MENU_THIRD, text));
    EXPECT_STREQ("&Third\tCtrl+T", text);
    EXPECT_FALSE(menu.GetMenuText(777, text));

    CNewMenu* pFile = SubMenuOf(&menu, 0);
    EXPECT_EQ(pFile, menu.GetSubMenu(0));
    EXPECT_EQ(SubMenuOf(pFile, kMore), pFile->GetSubMenu("&More"));
    EXPECT_EQ(nullptr, pFile->GetSubMenu("&Second")) << "not a popup";
}

TEST(NewMenu, FindMnemonicInEitherCaseOnLatinAndDoubleByteTexts)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    CNewMenu* pFile = SubMenuOf(&menu, 0);
    // "打开(&O)", and a text whose double-byte characters end in the bytes of 'F' and 'N'.
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 601, "\xB4\xF2\xBF\xAA(&O)");
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 602, "\x81\x46\x81\x4E(&G)");
    struct Row {
        UINT nChar;
        LRESULT expected;
    } rows[] = {
        {'f', MAKELRESULT(kFirst, MNC_EXECUTE)},
        {'F', MAKELRESULT(kFirst, MNC_EXECUTE)},
        {'S', MAKELRESULT(kSecond, MNC_EXECUTE)},
        {'m', MAKELRESULT(kMore, MNC_EXECUTE)},
        {'n', MAKELRESULT(kMinimize, MNC_EXECUTE)},
        {'o', MAKELRESULT(kMinimize + 1, MNC_EXECUTE)},
        {'G', MAKELRESULT(kMinimize + 2, MNC_EXECUTE)},
        {'z', 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, CNewMenu::FindMnemonic(row.nChar, MF_POPUP, pFile)) << (char)row.nChar;
    CString text;
    EXPECT_TRUE(pFile->GetMenuText(kMinimize + 2, text, MF_BYPOSITION));
    EXPECT_STREQ("\x81\x46\x81\x4E(&G)", text) << "the text itself is untouched";
    EXPECT_EQ(0, CNewMenu::FindMnemonic('f', MF_POPUP, NULL));
}

TEST(NewMenu, RefreshIconsRebuildsTheStoresAtMostOnceInItsInterval)
{
    CNewMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_NEWMENU_TEST));
    ASSERT_TRUE(menu.LoadToolbar(IDR_MENU_TOOLBAR));
    CNewMenu* pFile = SubMenuOf(&menu, 0);
    CImageList* pImages = pFile->GetItemData(kFirst)->GetIcons()->GetImageList();
    // The toolbar's dark grey button follows the shadow colour when its store is rebuilt.
    FixedSysColors first({COLOR_BTNSHADOW}, {RGB(10, 20, 30)});
    CNewMenu::RefreshIcons();
    EXPECT_EQ(RGB(10, 20, 30), ImagePixel(*pImages, 0, 8, 8));
    FixedSysColors second({COLOR_BTNSHADOW}, {RGB(40, 50, 60)});
    CNewMenu::RefreshIcons();
    EXPECT_EQ(RGB(10, 20, 30), ImagePixel(*pImages, 0, 8, 8)) << "a second call at once does nothing";
}

} // namespace
