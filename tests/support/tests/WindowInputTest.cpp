#include <gtest/gtest.h>

#include "MenuLoopStep.h"
#include "ParentWindow.h"
#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const COLORREF kFill = RGB(0x12, 0x34, 0x56);

// A parent that paints its client area one flat colour.
BOOL PaintFlat(HWND window, UINT message, LRESULT* result)
{
    if (message != WM_ERASEBKGND)
        return FALSE;
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(kFill);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window, dc);
    *result = 1;
    return TRUE;
}

} // namespace

TEST(WindowPixels, ReadsTheClientAreaAndTheFrameTheWindowDrewItself)
{
    ParentWindow parent;
    HWND window = parent.Handle();
    parent.SetAnswer([window](UINT message, WPARAM, LPARAM, LRESULT* result) {
        return PaintFlat(window, message, result);
    });
    InvalidateRect(window, NULL, TRUE);
    WindowPixels pixels(window);
    RECT rect;
    GetWindowRect(window, &rect);
    ASSERT_EQ(rect.right - rect.left, pixels.Width());
    ASSERT_EQ(rect.bottom - rect.top, pixels.Height());
    EXPECT_EQ(kFill, pixels.AtClient(5, 5));
    // The caption lies above the client area and is drawn in another colour.
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    EXPECT_NE(kFill, pixels.At(client.x - rect.left + 5, (client.y - rect.top) / 2));
    EXPECT_EQ(CLR_INVALID, pixels.At(-1, 0));
}

TEST(UserInput, AClickOnAButtonReachesItsParentAsANotification)
{
    ParentWindow parent;
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10,
                                  10, 80, 30, parent.Handle(), (HMENU)77, NULL, NULL);
    ASSERT_NE((HWND)NULL, button);
    UserInput::BringToFront(parent.Handle());
    UserInput::Click(button, POINT{40, 15});
    EXPECT_EQ(1u, parent.Sent(WM_COMMAND, 77, BN_CLICKED).size());

    // A press dragged off the button before release is no click.
    parent.ClearLog();
    UserInput::Drag(button, POINT{40, 15}, POINT{200, 150});
    EXPECT_TRUE(parent.Sent(WM_COMMAND, 77, BN_CLICKED).empty());

    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 60, 100,
                                24, parent.Handle(), (HMENU)78, NULL, NULL);
    SetFocus(edit);
    UserInput::Key('A', VK_SHIFT);
    UserInput::Key('B');
    char text[16] = "";
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ("Ab", text);
    EXPECT_FALSE(parent.Sent(WM_COMMAND, 78, EN_CHANGE).empty());
}

TEST(MenuLoopStep, RunsWhileThePopupMenuIsOpenAndThenClosesIt)
{
    ParentWindow parent;
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "One");
    AppendMenuA(menu, MF_STRING, 2, "Two");
    int shownWidth = 0;
    MenuLoopStep step([&](HWND menuWindow) {
        WindowPixels pixels(menuWindow);
        shownWidth = pixels.Width();
    });
    UserInput::BringToFront(parent.Handle());
    TrackPopupMenu(menu, TPM_LEFTALIGN, 200, 200, 0, parent.Handle(), NULL);
    EXPECT_TRUE(step.Ran());
    EXPECT_GT(shownWidth, 0);
    EXPECT_EQ((HWND)NULL, WindowPixels::OpenMenuWindow());
    DestroyMenu(menu);
}
