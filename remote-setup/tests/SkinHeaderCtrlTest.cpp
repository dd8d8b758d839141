#include <gtest/gtest.h>

#include <algorithm>

#include "CSkinListCtrl.h"
#include "ParentWindow.h"
#include "SkinControlsTestResources.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const COLORREF kLeft = RGB(255, 0, 0);
const COLORREF kMiddle = RGB(0, 192, 0);
const COLORREF kRight = RGB(0, 0, 255);

HWND MakeList(HWND parent, int top, UINT id)
{
    HWND list = CreateWindowA(WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 10, top, 250,
                              80, parent, (HMENU)(UINT_PTR)id, NULL, NULL);
    return list;
}

void AddColumns(CListCtrl& list)
{
    list.InsertColumn(0, "AB", LVCFMT_LEFT, 60);
    list.InsertColumn(1, "CD", LVCFMT_LEFT, 100);
}

// The box around the pixels of the rectangle (window coordinates) that are none of the
// colours given.
CRect InkBox(const WindowPixels& pixels, const RECT& area, std::initializer_list<COLORREF> paper)
{
    CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            COLORREF pixel = pixels.At(x, y);
            if (std::find(paper.begin(), paper.end(), pixel) != paper.end())
                continue;
            box.left = std::min<int>(box.left, x);
            box.top = std::min<int>(box.top, y);
            box.right = std::max<int>(box.right, x + 1);
            box.bottom = std::max<int>(box.bottom, y + 1);
        }
    }
    return box;
}

TEST(SkinHeaderCtrlTest, FirstListWearsTheBitmapHeaderTheNextKeepsItsOwn)
{
    ParentWindow parent({100, 100, 400, 350});
    CSkinListCtrl skinned, plain;
    ASSERT_TRUE(skinned.SubclassWindow(MakeList(parent.Handle(), 10, 1003)));
    ASSERT_TRUE(plain.SubclassWindow(MakeList(parent.Handle(), 120, 1004)));
    skinned.Init();
    plain.Init();
    EXPECT_TRUE(skinned.GetSkinHeader().LoadBitmaps(IDB_TEST_HEADER_LEFT, IDB_TEST_HEADER_MIDDLE,
                                                    IDB_TEST_HEADER_RIGHT));
    AddColumns(skinned);
    AddColumns(plain);
    UserInput::BringToFront(parent.Handle());

    HWND header = skinned.GetSkinHeader().m_hWnd;
    ASSERT_EQ((HWND)SendMessageA(skinned.m_hWnd, LVM_GETHEADER, 0, 0), header);
    CRect first, second, client;
    Header_GetItemRect(header, 0, &first);
    Header_GetItemRect(header, 1, &second);
    GetClientRect(header, &client);
    ASSERT_GT(first.Height(), 8);
    WindowPixels pixels(header);
    for (const CRect& item : {first, second}) {
        int middle = item.top + item.Height() / 2;
        EXPECT_EQ(kLeft, pixels.At(item.left, middle));
        EXPECT_EQ(kLeft, pixels.At(item.left + 2, middle));
        EXPECT_EQ(kMiddle, pixels.At(item.left + 3, 1));
        EXPECT_EQ(kMiddle, pixels.At(item.right - 4, item.bottom - 1));
        EXPECT_EQ(kRight, pixels.At(item.right - 3, middle));
        EXPECT_EQ(kRight, pixels.At(item.right - 1, middle));
        // The text, centred both ways.
        CRect ink = InkBox(pixels, item, {kLeft, kMiddle, kRight});
        ASSERT_FALSE(ink.IsRectEmpty());
        EXPECT_NEAR(item.CenterPoint().x, ink.CenterPoint().x, 2);
        EXPECT_NEAR(item.CenterPoint().y, ink.CenterPoint().y, 2);
    }
    EXPECT_EQ(kMiddle, pixels.At(client.right - 2, 2)) << "background beyond the items";

    // The second list's header was left as it was.
    HWND plainHeader = (HWND)SendMessageA(plain.m_hWnd, LVM_GETHEADER, 0, 0);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(plainHeader));
    EXPECT_NE(kMiddle, WindowPixels(plainHeader).At(30, 2));

    // Without bitmaps the skinned header draws as its base: window colour framed.
    CSkinHeaderCtrl bare;
    ASSERT_TRUE(bare.SubclassWindow(plainHeader));
    InvalidateRect(plainHeader, NULL, TRUE);
    WindowPixels base(plainHeader);
    COLORREF window = GetSysColor(COLOR_WINDOW), frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(frame, base.At(first.left, first.top + 3));
    EXPECT_EQ(frame, base.At(first.right - 1, first.top + 3));
    EXPECT_EQ(frame, base.At(first.left + 5, first.bottom - 1));
    EXPECT_EQ(window, base.At(first.left + 3, first.top + 3));
    EXPECT_EQ(window, base.At(client.right - 2, 3));
    CRect inner(first.left + 1, first.top + 1, first.right - 1, first.bottom - 1);
    CRect text = InkBox(base, inner, {window});
    ASSERT_FALSE(text.IsRectEmpty());
    EXPECT_GT(base.Count(GetSysColor(COLOR_WINDOWTEXT), inner), 0);
    EXPECT_NEAR(first.CenterPoint().x, text.CenterPoint().x, 2);
    bare.UnsubclassWindow();
}

TEST(SkinListCtrlTest, TilesItsBackgroundBitmapWhenOneIsLoaded)
{
    ParentWindow parent({100, 100, 400, 350});
    CSkinListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(MakeList(parent.Handle(), 10, 1003)));
    // No colour of its own: the list leaves its background to the erase.
    list.SetBkColor(CLR_NONE);
    UserInput::BringToFront(parent.Handle());
    EXPECT_NE(kLeft, WindowPixels(list.m_hWnd).AtClient(100, 60));
    ASSERT_TRUE(list.LoadBackground(IDB_TEST_ARROW_FIRST));
    list.Invalidate(TRUE);
    WindowPixels tiled(list.m_hWnd);
    EXPECT_EQ(kLeft, tiled.AtClient(100, 60));
    EXPECT_EQ(kLeft, tiled.AtClient(5, 70));
}

} // namespace
