#include <gtest/gtest.h>

#include "CSuperListBox.h"
#include "ParentWindow.h"
#include "PumpMessages.h"
#include "UserInput.h"

namespace {

// The list under the real mouse: the system's cursor choice and the leave notification.
TEST(SuperListBoxInput, ShowsTheHandOverItemsAndForgetsTheHoverItemWhenTheMouseLeaves)
{
    ParentWindow parent{RECT{50, 50, 450, 450}};
    CSuperListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE, CRect(10, 10, 134, 340), CWnd::FromHandle(parent.Handle()), 1));
    for (int i = 0; i < 3; ++i)
        list.AddString("x");
    UserInput::BringToFront(parent.Handle());
    const HCURSOR hand = LoadCursorA(NULL, (LPCSTR)IDC_HAND);

    const CRect second = list.GetItemRect(1);
    UserInput::MoveTo(list.m_hWnd, {second.left + 10, second.top + 5});
    EXPECT_EQ(1, list.GetHoverItem());
    EXPECT_EQ(hand, GetCursor());

    UserInput::MoveTo(list.m_hWnd, {60, 200});  // in the list, below its items
    EXPECT_EQ(-1, list.GetHoverItem());
    EXPECT_NE(hand, GetCursor());

    UserInput::MoveTo(list.m_hWnd, {second.left + 10, second.top + 5});
    EXPECT_EQ(1, list.GetHoverItem());
    UserInput::MoveTo(parent.Handle(), {300, 200});  // off the list
    // Wine notices the leave on a timer of its own.
    EXPECT_TRUE(PumpMessagesUntil([&] { return list.GetHoverItem() == -1; }, 1000));
}

}  // namespace
