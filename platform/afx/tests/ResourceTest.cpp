#include <gtest/gtest.h>

#include <afxwin.h>
#include <AfxToolBarData.h>
#include <CImageList.h>

#include "DibSection.h"
#include "GdiTestResources.h"

namespace {

// The resource module of the test (GdiTestModule.rc) set while the fixture lives.
class ResourceModuleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module = LoadLibraryA("afx_gdi_test_module.dll");
        ASSERT_NE((HMODULE)NULL, m_module);
        m_saved = AfxGetResourceHandle();
        AfxSetResourceHandle(m_module);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(m_saved);
        if (m_module != NULL)
            FreeLibrary(m_module);
    }

    static COLORREF TopLeftPixel(CBitmap& bitmap)
    {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap* old = dc.SelectObject(&bitmap);
        COLORREF pixel = dc.GetPixel(0, 0);
        dc.SelectObject(old);
        return pixel;
    }

    HMODULE m_module = NULL;
    HINSTANCE m_saved = NULL;
};

} // namespace

TEST_F(ResourceModuleTest, MenusAndBitmapsComeFromTheResourceModuleFirstThenTheProgram)
{
    CMenu both, programOnly;
    ASSERT_TRUE(both.LoadMenu(IDR_BOTH_MENU));
    ASSERT_TRUE(programOnly.LoadMenu(IDR_PROGRAM_MENU));
    CString text;
    both.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("资源模块", (LPCTSTR)text);
    programOnly.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("频道(&C)", (LPCTSTR)text);

    CBitmap moduleBitmap, programBitmap;
    ASSERT_TRUE(moduleBitmap.LoadBitmap(IDB_BOTH));
    ASSERT_TRUE(programBitmap.LoadBitmap(IDB_PROGRAM_ONLY));
    EXPECT_EQ(RGB(255, 0, 0), TopLeftPixel(moduleBitmap));
    EXPECT_EQ(RGB(0, 255, 0), TopLeftPixel(programBitmap));

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(999));
    EXPECT_EQ(nullptr, missing.m_hMenu);
}

TEST(ToolBarResource, IsReadWithItsSeparatorAndItsStripOfFlatButtons)
{
    const AfxToolBarData* toolbar =
        AfxToolBarData::Load(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TOOLBAR));
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(1, toolbar->wVersion);
    EXPECT_EQ(16, toolbar->wWidth);
    EXPECT_EQ(15, toolbar->wHeight);
    ASSERT_EQ(4, toolbar->wItemCount);
    const WORD expected[] = {ID_FIRST_COMMAND, 0, ID_SECOND_COMMAND, ID_THIRD_COMMAND};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], toolbar->Items()[i]) << "item " << i;
    EXPECT_EQ(nullptr, AfxToolBarData::Load(GetModuleHandleA(NULL), MAKEINTRESOURCEA(999)));

    // Each button of the 16-colour strip is one flat colour.
    CImageList images;
    ASSERT_TRUE(images.Create(IDR_TOOLBAR, 16, 0, CLR_NONE));
    ASSERT_EQ(3, images.GetImageCount());
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap target;
    ASSERT_TRUE(CreateDibSection24(dc, 16, 15, target));
    CBitmap* old = dc.SelectObject(&target);
    const COLORREF colours[] = {RGB(0xC0, 0xC0, 0xC0), RGB(0xFF, 0, 0), RGB(0, 0xFF, 0)};
    for (int i = 0; i < 3; ++i) {
        images.Draw(&dc, i, CPoint(0, 0), ILD_NORMAL);
        EXPECT_EQ(colours[i], dc.GetPixel(8, 7)) << "button " << i;
    }
    dc.SelectObject(old);
}

TEST(CMenu, ItemsAreReadAndEditedThroughTheirObject)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_PROGRAM_MENU));
    EXPECT_EQ(&bar, CMenu::FromHandlePermanent(bar.m_hMenu));
    CMenu* popup = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    // A sub-menu nobody attached gets a temporary object, which never destroys it.
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(popup->m_hMenu));
    EXPECT_EQ(nullptr, bar.GetSubMenu(5));
    EXPECT_EQ(3u, popup->GetMenuItemCount());
    EXPECT_EQ((UINT)ID_MENU_ITEM, popup->GetMenuItemID(0));
    EXPECT_EQ((UINT)-1, popup->GetMenuItemID(2));  // a sub-menu
    CString text;
    EXPECT_EQ((int)strlen("下一个频道\tPgDn"), popup->GetMenuString(ID_MENU_ITEM, text, MF_BYCOMMAND));
    EXPECT_STREQ("下一个频道\tPgDn", (LPCTSTR)text);

    popup->CheckMenuItem(ID_MENU_ITEM, MF_BYCOMMAND | MF_CHECKED);
    popup->EnableMenuItem(ID_MENU_NESTED_ITEM, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ((UINT)MF_CHECKED, popup->GetMenuState(ID_MENU_ITEM, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)MF_GRAYED, bar.GetMenuState(ID_MENU_NESTED_ITEM, MF_BYCOMMAND) & MF_GRAYED);
    ASSERT_TRUE(popup->ModifyMenu(ID_MENU_ITEM, MF_BYCOMMAND | MF_STRING, ID_MENU_ITEM, "改"));
    popup->GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("改", (LPCTSTR)text);
    ASSERT_TRUE(popup->DeleteMenu(1, MF_BYPOSITION));
    EXPECT_EQ(2u, popup->GetMenuItemCount());

    HMENU popupHandle = popup->m_hMenu;
    AfxDeleteTempMaps();
    EXPECT_TRUE(IsMenu(popupHandle));
    HMENU barHandle = bar.m_hMenu;
    bar.DestroyMenu();
    EXPECT_FALSE(IsMenu(barHandle));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(barHandle));
}

TEST(CMenu, TheMenuHoldingACommandIsFoundAmongItsSubMenusWhenItHasAnObject)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_PROGRAM_MENU));
    HMENU nested = GetSubMenu(GetSubMenu(bar.m_hMenu, 0), 2);
    // Without an object of its own, the holder is not reported.
    EXPECT_EQ(nullptr, bar.FindPopupMenuFromID(ID_MENU_NESTED_ITEM));
    CMenu nestedObject;
    ASSERT_TRUE(nestedObject.Attach(nested));
    EXPECT_EQ(&nestedObject, bar.FindPopupMenuFromID(ID_MENU_NESTED_ITEM));
    EXPECT_EQ(nullptr, bar.FindPopupMenuFromID(12345));
    nestedObject.Detach();
}
