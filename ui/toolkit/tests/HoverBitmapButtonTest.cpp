#include <gtest/gtest.h>

#include "CHoverBitmapButton.h"
#include "PumpMessages.h"
#include "ToolkitTestResources.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const COLORREF kHover = RGB(255, 0, 0);
const COLORREF kNormal = RGB(0, 255, 0);
const COLORREF kPressed = RGB(0, 0, 255);
const POINT kInside = {12, 8};

class HoverBitmapButtonTest : public testing::Test
{
protected:
    // A framework parent, which hands the button's draw requests back to its object.
    void SetUp() override
    {
        LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                                  (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(parent.CreateEx(0, windowClass, "Hover", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                                    50, 300, 200, NULL, NULL));
        HWND window = CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 5,
                                    5, parent.m_hWnd, (HMENU)IDC_HOVER, NULL, NULL);
        ASSERT_TRUE(button.SubclassWindow(window));
        ASSERT_TRUE(button.LoadBitmaps(IDB_BTN_HOVER, IDB_BTN_NORMAL, IDB_BTN_PRESSED, IDB_BTN_DISABLED));
        UserInput::BringToFront(parent.m_hWnd);
        button.Invalidate();
    }
    COLORREF Shown() { return WindowPixels(button.m_hWnd).AtClient(kInside.x, kInside.y); }

    CWnd parent;
    CHoverBitmapButton button;
};

TEST_F(HoverBitmapButtonTest, TakesTheHoverBitmapsSizeAndShowsHoverAlsoWhileHeld)
{
    RECT rect;
    button.GetWindowRect(&rect);
    EXPECT_EQ(24, rect.right - rect.left);
    EXPECT_EQ(16, rect.bottom - rect.top);
    EXPECT_EQ(kNormal, Shown());
    UserInput::ButtonDown(button.m_hWnd, kInside);
    EXPECT_EQ(kPressed, Shown());
    UserInput::MoveTo(button.m_hWnd, {kInside.x + 2, kInside.y});
    EXPECT_EQ(kHover, Shown());
    UserInput::ButtonUp(button.m_hWnd, kInside);
    EXPECT_FALSE(button.GetCheck());
    EXPECT_FALSE(button.LoadBitmaps(IDB_BTN_HOVER, 0, IDB_BTN_PRESSED, IDB_BTN_DISABLED));
}

TEST_F(HoverBitmapButtonTest, SetCheckOutsideToggleModeChangesNothing)
{
    button.SetCheck(TRUE);
    EXPECT_FALSE(button.GetCheck());
    button.SetToggleMode(TRUE);
    button.SetCheck(TRUE);
    EXPECT_TRUE(button.GetCheck());
}

TEST_F(HoverBitmapButtonTest, CheckedToggleButtonKeepsShowingPressedUnderTheMouse)
{
    button.SetToggleMode(TRUE);
    UserInput::Click(button.m_hWnd, kInside);
    EXPECT_TRUE(button.GetCheck());
    UserInput::MoveTo(button.m_hWnd, {kInside.x + 2, kInside.y});
    EXPECT_EQ(kPressed, Shown());
    UserInput::Click(button.m_hWnd, kInside);
    EXPECT_FALSE(button.GetCheck());
}

} // namespace
