// The shared menu icon stores: toolbar and bitmap sources, the three images of each icon, their
// refresh after a colour change and the list the stores leave when no item holds them.
#include <gtest/gtest.h>

#include <CNewMenuBitmaps.h>
#include <CNewMenuIcons.h>

#include "MenuTestResources.h"
#include "MenuTestSupport.h"

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);  // a transparent colour none of the art uses

bool IsListed(CNewMenuIcons* pStore)
{
    return CNewMenuIcons::GetIconsList().Find(pStore) != NULL;
}

TEST(MenuIconStore, AToolbarResourceGivesEachCommandThreeImagesSkippingSeparators)
{
    CNewMenuIcons* pStore = CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, kMagenta);
    ASSERT_NE(nullptr, pStore);
    pStore->AddRef();
    EXPECT_EQ(0, pStore->IndexOf(ID_MENU_FIRST));
    EXPECT_EQ(3, pStore->IndexOf(ID_MENU_SECOND));
    EXPECT_EQ(6, pStore->IndexOf(ID_MENU_THIRD));
    EXPECT_EQ(-1, pStore->IndexOf(0));
    EXPECT_EQ(9, pStore->GetImageList()->GetImageCount());
    EXPECT_EQ(16, pStore->GetColorCount());
    EXPECT_EQ(RGB(0, 255, 0), ImagePixel(*pStore->GetImageList(), 6, 8, 8)) << "the third button";
    EXPECT_EQ(pStore, CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, kMagenta))
        << "found again, not made twice";

    // The same images by the resource alone, without a toolbar window.
    EXPECT_EQ(0, CNewMenuIcons::ToolbarImageIndex(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, ID_MENU_FIRST));
    EXPECT_EQ(2, CNewMenuIcons::ToolbarImageIndex(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, ID_MENU_THIRD));
    EXPECT_EQ(-1, CNewMenuIcons::ToolbarImageIndex(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, 12345));
    EXPECT_EQ(nullptr, CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(999), NULL, kMagenta));
    pStore->Release();
}

TEST(MenuIconStore, AToolbarInMemoryMatchesOnlyItsOwnDescription)
{
    const WORD toolbar[] = {IDR_MENU_TOOLBAR, 16, 16, ID_MENU_FIRST, ID_MENU_THIRD, 0};
    const WORD shorter[] = {IDR_MENU_TOOLBAR, 16, 16, ID_MENU_FIRST, 0};
    CNewMenuIcons* pStore = CNewMenuIcons::GetToolbarIcons(toolbar, kMagenta);
    ASSERT_NE(nullptr, pStore);
    pStore->AddRef();
    EXPECT_EQ(3, pStore->IndexOf(ID_MENU_THIRD));
    EXPECT_TRUE(pStore->Matches(toolbar, kMagenta));
    EXPECT_FALSE(pStore->Matches(toolbar, RGB(0, 0, 0)));
    EXPECT_FALSE(pStore->Matches(shorter, kMagenta));
    pStore->Release();
}

TEST(MenuIconStore, TheSameBitmapTwiceGivesOneIconAndAnotherSizeAnotherStore)
{
    int nFirst = -1, nAgain = -1, nLarge = -1;
    CNewMenuBitmaps* pStore = CNewMenuIcons::GetBitmapIcons(IDB_MENU_BLUE, FALSE, kMagenta, &nFirst);
    ASSERT_NE(nullptr, pStore);
    pStore->AddRef();
    EXPECT_EQ(pStore, CNewMenuIcons::GetBitmapIcons(IDB_MENU_BLUE, FALSE, kMagenta, &nAgain));
    EXPECT_EQ(nFirst, nAgain);
    EXPECT_EQ(nFirst + 3, pStore->GetImageList()->GetImageCount());
    EXPECT_EQ(-1, pStore->AddImage(IDB_MENU_LARGE, kMagenta)) << "20 x 20 beside 16 x 16 icons";
    CNewMenuBitmaps* pLarge = CNewMenuIcons::GetBitmapIcons(IDB_MENU_LARGE, FALSE, kMagenta, &nLarge);
    ASSERT_NE(nullptr, pLarge);
    pLarge->AddRef();
    EXPECT_NE(pStore, pLarge);
    EXPECT_EQ(0, nLarge);
    pLarge->Release();
    pStore->Release();
}

TEST(MenuIconStore, DarkenedAndFadedCopiesFollowTheirArithmetic)
{
    FixedSysColors colors({COLOR_MENU, 30 /* COLOR_MENUBAR */}, {RGB(200, 100, 0), RGB(200, 100, 0)});
    int nIndex = -1;
    CNewMenuBitmaps* pStore = CNewMenuIcons::GetBitmapIcons(IDB_MENU_BLUE, FALSE, kMagenta, &nIndex);
    ASSERT_NE(nullptr, pStore);
    pStore->AddRef();
    pStore->RefreshImages();  // the copies in these menu colours, should the store be older
    HIMAGELIST hImages = *pStore->GetImageList();
    EXPECT_EQ(RGB(0, 0, 255), ImagePixel(hImages, nIndex, 5, 5));
    EXPECT_EQ(RGB(0, 0, 205), ImagePixel(hImages, nIndex + 1, 5, 5)) << "each channel x 205 / 255";
    // Grey 85, lightened by 100 to 152, mixed 86 to 14 with the menu colour.
    EXPECT_EQ(RGB(159, 145, 131), ImagePixel(hImages, nIndex + 2, 5, 5));

    // An icon handle: the same copies, replaced in place for an id already there.
    HICON hIcon = pStore->GetImageList()->ExtractIcon(nIndex);
    int nIcon = pStore->AddImage(hIcon, 777);
    EXPECT_EQ(nIcon, pStore->AddImage(hIcon, 777));
    EXPECT_EQ(RGB(0, 0, 205), ImagePixel(hImages, nIcon + 1, 5, 5));
    DestroyIcon(hIcon);
    pStore->Release();
}

TEST(MenuIconStore, ASixteenColourToolbarFollowsTheSystemColoursOnRefresh)
{
    FixedSysColors colors({COLOR_BTNSHADOW}, {RGB(10, 20, 30)});
    CNewMenuIcons* pStore = CNewMenuIcons::GetToolbarIcons(MAKEINTRESOURCE(IDR_MENU_TOOLBAR), NULL, kMagenta);
    ASSERT_NE(nullptr, pStore);
    pStore->AddRef();
    pStore->RefreshImages();
    EXPECT_EQ(RGB(10, 20, 30), ImagePixel(*pStore->GetImageList(), 0, 8, 8)) << "dark grey drawn as the shadow colour";

    FixedSysColors changed({COLOR_BTNSHADOW}, {RGB(40, 50, 60)});
    EXPECT_EQ(RGB(10, 20, 30), ImagePixel(*pStore->GetImageList(), 0, 8, 8)) << "until refreshed";
    pStore->RefreshImages();
    EXPECT_EQ(RGB(40, 50, 60), ImagePixel(*pStore->GetImageList(), 0, 8, 8));
    EXPECT_EQ(RGB(255, 0, 0), ImagePixel(*pStore->GetImageList(), 3, 8, 8)) << "other colours stay";
    EXPECT_EQ(9, pStore->GetImageList()->GetImageCount());
    pStore->Release();
}

TEST(MenuIconStore, TheLastReleaseTakesAStoreOffTheList)
{
    int nIndex = -1;
    CNewMenuBitmaps* pStore = CNewMenuIcons::GetBitmapIcons(IDB_MENU_LARGE, FALSE, kMagenta, &nIndex);
    ASSERT_NE(nullptr, pStore);
    {
        CNewMenuItemData first, second;
        first.SetIcon(pStore, nIndex);
        second.SetIcon(pStore, nIndex);
        EXPECT_EQ(2, pStore->GetRefCount());
        first.SetIcon(NULL, -1);
        EXPECT_TRUE(IsListed(pStore));
    }
    EXPECT_FALSE(IsListed(pStore)) << "the second record went with the store's last reference";
}

} // namespace
