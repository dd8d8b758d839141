#include <gtest/gtest.h>

#include "BmpFile.h"
#include "PumpMessages.h"
#include "SkinTestDialog.h"
#include "TempFolder.h"
#include "UserInput.h"
#include "WindowPixels.h"

#include <functional>
#include <string>

namespace {

const COLORREF kHover = RGB(255, 0, 0);
const COLORREF kNormal = RGB(0, 255, 0);
const COLORREF kPressed = RGB(0, 0, 255);
const COLORREF kDisabled = RGB(128, 128, 128);
const POINT kInside = {12, 8};
const POINT kAway = {280, 60};  // a bare spot of the dialog

COLORREF Shown(CWnd& control)
{
    return WindowPixels(control.m_hWnd).AtClient(kInside.x, kInside.y);
}

class SkinControlsTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dialog.Open()); }

    CSkinTestDlg dialog;
};

TEST_F(SkinControlsTest, PushButtonShowsHoverPressedAndNormalAndNeverChecks)
{
    EXPECT_EQ(kNormal, Shown(dialog.push));
    UserInput::MoveTo(dialog.push.m_hWnd, kInside);
    EXPECT_EQ(kHover, Shown(dialog.push));
    UserInput::ButtonDown(dialog.push.m_hWnd, kInside);
    EXPECT_EQ(kPressed, Shown(dialog.push));
    UserInput::ButtonUp(dialog.push.m_hWnd, kInside);
    UserInput::MoveTo(dialog.m_hWnd, kAway);
    // The system reports the leave at its next check of the cursor.
    EXPECT_TRUE(PumpMessagesUntil([&] { return Shown(dialog.push) == kNormal; }, 5000));
    EXPECT_FALSE(dialog.push.GetCheck());

    dialog.push.EnableWindow(FALSE);
    EXPECT_EQ(kDisabled, Shown(dialog.push));
}

TEST_F(SkinControlsTest, ToggleButtonFlipsPerClickAndShowsPressedWhileChecked)
{
    UserInput::Click(dialog.toggle.m_hWnd, kInside);
    EXPECT_TRUE(dialog.toggle.GetCheck());
    UserInput::MoveTo(dialog.toggle.m_hWnd, {kInside.x + 2, kInside.y});
    EXPECT_EQ(kPressed, Shown(dialog.toggle));
    UserInput::MoveTo(dialog.m_hWnd, kAway);
    EXPECT_EQ(kPressed, Shown(dialog.toggle));

    UserInput::Click(dialog.toggle.m_hWnd, kInside);
    EXPECT_FALSE(dialog.toggle.GetCheck());
    UserInput::MoveTo(dialog.m_hWnd, kAway);
    EXPECT_TRUE(PumpMessagesUntil([&] { return Shown(dialog.toggle) == kNormal; }, 5000));
}

// Columns are sampled on even rows; a run's ends are settled to the pixel.
TEST_F(SkinControlsTest, TransparentButtonLeavesOutTheKeyColourAsTheColumnsAreWalked)
{
    const COLORREF kKey = RGB(255, 0, 255);
    auto pixel = [&](int x, int y) {
        bool key = (x == 1 && y == 4) ||                // single, on a sampled row
                   (x == 2 && y == 3) ||                // single, on an unsampled row
                   (x == 3 && (y == 5 || y == 6)) ||    // pair found at its second pixel
                   (x == 4 && (y == 6 || y == 7)) ||    // pair found at its first pixel
                   (x == 5 && y >= 10);                 // run to the bottom
        return key ? kKey : kNormal;
    };
    TempFolder folder;
    std::string image = folder.Write("shape.bmp", Bmp(8, 12, pixel));
    CSkinButton shaped;
    ASSERT_TRUE(shaped.LoadFileBitmaps(image.c_str(), image.c_str(), image.c_str(), image.c_str(),
                                       kKey, TRUE));
    shaped.SetPosition(200, 10);
    ASSERT_TRUE(shaped.SubclassDlgItem(IDC_SHAPED, &dialog));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, GetWindowRgn(shaped.m_hWnd, region));

    struct Case { int x, y; BOOL inside; } cases[] = {
        {1, 4, FALSE}, {1, 3, TRUE}, {1, 5, TRUE},
        {2, 3, TRUE},
        {3, 4, TRUE}, {3, 5, FALSE}, {3, 6, FALSE}, {3, 7, TRUE},
        {4, 5, TRUE}, {4, 6, FALSE}, {4, 7, FALSE}, {4, 8, TRUE},
        {5, 9, TRUE}, {5, 10, FALSE}, {5, 11, FALSE},
        {0, 0, TRUE}, {7, 11, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.inside, PtInRegion(region, c.x, c.y)) << "pixel " << c.x << "," << c.y;
    DeleteObject(region);
}

TEST_F(SkinControlsTest, TrackbarPaintsTrackAndThumb)
{
    WindowPixels shown(dialog.trackbar.m_hWnd);
    EXPECT_EQ(150, shown.Width());
    EXPECT_EQ(24, shown.Height());
    CRect thumb;
    dialog.trackbar.GetThumbRect(&thumb);
    EXPECT_EQ(RGB(255, 0, 255), shown.AtClient(thumb.left + 1, 12));
    int clear = thumb.left > 20 ? 2 : 147;
    EXPECT_EQ(RGB(0, 0x80, 0x80), shown.AtClient(clear, 12));
}

// Range 0 to 1000, selection 200 to 800, position 200; the track is 200 pixels from x 10.
TEST_F(SkinControlsTest, MultiSliderClickInTheBandSetsThePositionAndTellsTheParentOnce)
{
    CSkinMultiSlider& multi = dialog.multi;
    UserInput::Click(multi.m_hWnd, {10 + 150, 3});  // three quarters along, off the line
    EXPECT_EQ(750, multi.GetPos());
    ASSERT_EQ(1u, dialog.changes.size());
    EXPECT_EQ(SB_MULTISLIDER_CHANGED, (int)dialog.changes[0].code);
    EXPECT_EQ((LPARAM)&multi, dialog.changes[0].object);
    EXPECT_TRUE(dialog.changes[0].dragging);
    EXPECT_FALSE(multi.IsDragging());

    dialog.changes.clear();
    UserInput::Click(multi.m_hWnd, {10 + 20, 10});  // 100: before the selection
    EXPECT_EQ(750, multi.GetPos());
    EXPECT_TRUE(dialog.changes.empty());
}

TEST_F(SkinControlsTest, MultiSliderDragPastTheSelectionEndStopsThere)
{
    CSkinMultiSlider& multi = dialog.multi;
    CRect thumb = multi.GetThumbRect();
    EXPECT_EQ(CRect(10 + 40 - 5, 5, 10 + 40 + 5, 15), thumb);
    UserInput::Drag(multi.m_hWnd, thumb.CenterPoint(), {215, 10});
    EXPECT_EQ(800, multi.GetPos());
    ASSERT_EQ(1u, dialog.changes.size());
    EXPECT_TRUE(dialog.changes[0].dragging);
    EXPECT_FALSE(multi.IsDragging());
}

TEST_F(SkinControlsTest, MultiSliderPaintsBandAndThumbWhereTheGeometryPutsThem)
{
    CSkinMultiSlider& multi = dialog.multi;
    // A range under 100 is still divided by 100: 25 of 0..50 sits a quarter along.
    ASSERT_TRUE(multi.SetRange(0, 50, TRUE));
    ASSERT_TRUE(multi.SetSelection(10, 40, TRUE));
    ASSERT_TRUE(multi.SetPos(25, TRUE));
    CRect thumb = multi.GetThumbRect();
    EXPECT_EQ(10 + 50, thumb.CenterPoint().x);
    WindowPixels shown(multi.m_hWnd);
    EXPECT_EQ(RGB(255, 255, 0), shown.AtClient(60, 10));
    EXPECT_EQ(RGB(255, 255, 255), shown.AtClient(10 + 200 * 30 / 50, 10));  // band 10..40
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), shown.AtClient(10 + 200 * 30 / 50, 3));
    EXPECT_EQ(RGB(0x40, 0x40, 0x40), shown.AtClient(10 + 200 * 45 / 50, 10));
}

TEST_F(SkinControlsTest, MultiSliderSettersRefuseOutOfOrderValuesAndChangeNothing)
{
    CSkinMultiSlider& multi = dialog.multi;
    EXPECT_FALSE(multi.SetRange(10, 5, FALSE));
    EXPECT_FALSE(multi.SetSelection(10, 5, FALSE));
    EXPECT_FALSE(multi.SetSelection(-1, 5, FALSE));
    EXPECT_FALSE(multi.SetSelection(10, 1001, FALSE));
    EXPECT_FALSE(multi.SetPos(199, FALSE));
    EXPECT_FALSE(multi.SetPos(801, FALSE));
    EXPECT_EQ(200, multi.GetPos());
    EXPECT_TRUE(multi.SetPos(800, FALSE));
    EXPECT_TRUE(multi.MoveBy(-1000, FALSE));
    EXPECT_EQ(200, multi.GetPos());
    // The selection still stands: the thumb sits at its start.
    EXPECT_EQ(10 + 40, multi.GetThumbRect().CenterPoint().x);
}

TEST_F(SkinControlsTest, MultiSliderWithoutATrackIgnoresTheMouse)
{
    CSkinMultiSlider flat;
    ASSERT_TRUE(flat.LoadResourceBitmaps(IDB_MSL_TRACK, IDB_MSL_THUMB, 0, FALSE, 50, 50, 10, 4));
    flat.SetPosition(10, 80);
    dialog.multi.UnsubclassWindow();
    ASSERT_TRUE(flat.SubclassDlgItem(IDC_MULTI, &dialog));
    flat.SetRange(0, 1000, FALSE);
    flat.SetSelection(0, 1000, FALSE);
    UserInput::Click(flat.m_hWnd, {50, 10});
    UserInput::Drag(flat.m_hWnd, {50, 10}, {150, 10});
    EXPECT_EQ(0, flat.GetPos());
    flat.UnsubclassWindow();
}

TEST_F(SkinControlsTest, LabelsPaintTheirBackModesAndCentreTheirText)
{
    WindowPixels none(dialog.labelNone.m_hWnd);
    const RECT whole = {0, 0, none.Width(), none.Height()};
    EXPECT_EQ(CSkinTestDlg::kBack, none.AtClient(90, 2));
    // The glyphs are drawn (some pixels are not the parent's) and nothing else is.
    EXPECT_LT(none.Count(CSkinTestDlg::kBack, whole), none.Width() * none.Height());
    // The glyphs sit in the middle rows: the top and bottom rows are the parent's.
    const RECT top = {0, 0, none.Width(), 2};
    EXPECT_EQ(none.Width() * 2, none.Count(CSkinTestDlg::kBack, top));

    WindowPixels color(dialog.labelColor.m_hWnd);
    EXPECT_EQ(RGB(0, 0xC0, 0), color.AtClient(90, 2));
    WindowPixels bitmap(dialog.labelBitmap.m_hWnd);
    EXPECT_EQ(80, bitmap.Width());
    EXPECT_EQ(RGB(0, 255, 255), bitmap.AtClient(78, 2));
}

TEST_F(SkinControlsTest, LabelFaceNameIsCutToWhatALogicalFontHolds)
{
    dialog.labelNone.SetFaceName("A face name far longer than thirty-one characters");
    HFONT font = (HFONT)dialog.labelNone.SendMessage(WM_GETFONT);
    LOGFONTA described = {};
    ASSERT_TRUE(GetObjectA(font, sizeof(described), &described));
    EXPECT_STREQ("A face name far longer than thi", described.lfFaceName);
}

TEST_F(SkinControlsTest, DialogSkinPaintsItsColourAndTwoSkinsComeOffIndependently)
{
    EXPECT_EQ(CSkinTestDlg::kBack, WindowPixels(dialog.m_hWnd).AtClient(280, 60));

    CSkinTestDlg second;
    ASSERT_TRUE(second.Open());
    dialog.skin.Detach();
    second.Invalidate(TRUE);
    EXPECT_EQ(CSkinTestDlg::kBack, WindowPixels(second.m_hWnd).AtClient(280, 60));
    dialog.Invalidate(TRUE);
    EXPECT_NE(CSkinTestDlg::kBack, WindowPixels(dialog.m_hWnd).AtClient(280, 60));

    // Destroyed while skinned, the dialog's end still reaches its object.
    HWND window = second.m_hWnd;
    second.DestroyWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(NULL, second.m_hWnd);
}

TEST_F(SkinControlsTest, ColourDialogSkinWithoutASizeShrinksTheDialogToNothing)
{
    CSkinWnd bare;
    bare.SetBackColor(RGB(1, 2, 3));
    dialog.skin.Detach();
    ASSERT_TRUE(bare.Attach(dialog.m_hWnd));
    RECT rect;
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(0, rect.right - rect.left);
    EXPECT_EQ(0, rect.bottom - rect.top);
    bare.Detach();
}

TEST_F(SkinControlsTest, LoadersThatFailKeepWhatTheControlHad)
{
    EXPECT_FALSE(dialog.push.LoadResourceBitmaps(IDB_BTN_HOVER, 0, IDB_BTN_PRESSED, IDB_BTN_DISABLED, 0, FALSE));
    EXPECT_FALSE(dialog.push.LoadFileBitmaps("C:\\none.bmp", "C:\\none.bmp", "C:\\none.bmp", "C:\\none.bmp", 0, FALSE));
    dialog.push.Invalidate();
    EXPECT_EQ(kNormal, Shown(dialog.push));
    EXPECT_FALSE(dialog.labelBitmap.LoadBackResource(9999));
    EXPECT_EQ(RGB(0, 255, 255), WindowPixels(dialog.labelBitmap.m_hWnd).AtClient(78, 2));
}

} // namespace

namespace {

// The trackbar lies at x 150 to 300 of the parent, over blocks 100 pixels wide of the picture.
TEST_F(SkinControlsTest, BitmapTrackbarShowsThePictureUnderItAndAtMostHalfItsThumbBitmap)
{
    CBitmapSlider& slider = dialog.bitmapSlider;
    slider.SetRange(0, 100);
    slider.SetPos(100);
    slider.SetThumbLength(28);
    slider.Invalidate();
    WindowPixels shown(slider.m_hWnd);
    EXPECT_EQ(RGB(0x20, 0x20, 0x20), shown.AtClient(2, 2));
    EXPECT_EQ(RGB(0x30, 0x30, 0x30), shown.AtClient(60, 2));
    CRect thumb;
    slider.GetThumbRect(&thumb);
    ASSERT_GT(thumb.Width(), 8);
    EXPECT_EQ(RGB(255, 0, 0), shown.AtClient(thumb.left + 7, thumb.top + 1));
    EXPECT_EQ(RGB(0x30, 0x30, 0x30), shown.AtClient(thumb.left + 8, thumb.top + 1));
}

} // namespace
