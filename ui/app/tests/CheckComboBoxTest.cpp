#include <gtest/gtest.h>

#include <string>

#include "CCheckComboBox.h"
#include "PumpMessages.h"
#include "UserInput.h"

namespace {

enum { kComboId = 200 };

// A framework window holding the combo: its owner-draw messages come back to the combo
// reflected, and its selection changes are counted here.
class ComboHost : public CWnd
{
public:
    ComboHost()
    {
        CreateEx(0, NULL, "Combo", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300, NULL, NULL);
    }
    ~ComboHost() override { DestroyWindow(); }

    int changes = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kComboId && HIWORD(wParam) == CBN_SELCHANGE)
            changes++;
        return CWnd::OnCommand(wParam, lParam);
    }
};

class CheckComboBoxTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST |
                                     CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS,
                                 CRect(10, 10, 200, 200), &host, kComboId));
        for (const char* day : {"Sun", "Mon", "Tue"})
            combo.AddString(day);
        UserInput::BringToFront(host.m_hWnd);
    }

    std::string Text()
    {
        char text[64] = "";
        combo.SendMessage(WM_GETTEXT, sizeof(text), (LPARAM)text);
        EXPECT_EQ((LRESULT)strlen(text), combo.SendMessage(WM_GETTEXTLENGTH));
        return text;
    }

    // The list of the open drop-down, subclassed by the combo once it has been painted.
    HWND OpenList()
    {
        combo.ShowDropDown(TRUE);
        COMBOBOXINFO info = {sizeof(info), {}, {}, 0, NULL, NULL, NULL};
        GetComboBoxInfo(combo.m_hWnd, &info);
        // Taller than its three items, so that there is a place below the last one.
        RECT rect;
        GetWindowRect(info.hwndList, &rect);
        SetWindowPos(info.hwndList, NULL, 0, 0, rect.right - rect.left, 150, SWP_NOMOVE | SWP_NOZORDER);
        UpdateWindow(info.hwndList);
        PumpMessagesUntil([] { return false; }, 200);
        return info.hwndList;
    }

    void ClickList(HWND list, int y)
    {
        SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
        SendMessage(list, WM_LBUTTONUP, 0, MAKELPARAM(5, y));
    }

    ComboHost host;
    CCheckComboBox combo;
};

// The closed box joins the checked items with the user's list separator and one blank.
TEST_F(CheckComboBoxTest, TheClosedTextJoinsTheCheckedItems)
{
    char separator[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof(separator));
    std::string joint = separator[0] != '\0' ? separator : ";";
    joint.erase(joint.find_last_not_of(" \t") + 1);
    joint += " ";

    EXPECT_EQ("", Text()) << "nothing checked";
    combo.SetCheck(0, TRUE);
    EXPECT_EQ("Sun", Text());
    combo.SetCheck(2, TRUE);
    EXPECT_EQ("Sun" + joint + "Tue", Text());
    combo.SetCheck(0, FALSE);
    EXPECT_EQ("Tue", Text());
    EXPECT_GT(0, combo.SetCheck(5, TRUE)) << "a bad index";

    char small[3] = "";
    combo.SetCheck(0, TRUE);
    combo.SendMessage(WM_GETTEXT, sizeof(small), (LPARAM)small);
    EXPECT_STREQ("Su", small);
}

// A click on an item toggles it and tells the parent; one below the last item changes nothing;
// the drop-down stays open after either.
TEST_F(CheckComboBoxTest, AClickTogglesTheItemUnderIt)
{
    HWND list = OpenList();
    ASSERT_NE((HWND)NULL, list);
    int height = (int)SendMessage(list, LB_GETITEMHEIGHT, 0, 0);
    ASSERT_LT(0, height);

    ClickList(list, height + height / 2);
    EXPECT_TRUE(combo.GetCheck(1));
    EXPECT_EQ(1, host.changes);
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(&combo, CCheckComboBox::GetOpenCombo());

    ClickList(list, height + height / 2);
    EXPECT_FALSE(combo.GetCheck(1));
    EXPECT_EQ(2, host.changes);

    RECT client;
    GetClientRect(list, &client);
    ASSERT_LT(3 * height + 1, client.bottom) << "the list has room below its items";
    ClickList(list, 3 * height + 1);
    for (int i = 0; i < 3; i++)
        EXPECT_FALSE(combo.GetCheck(i)) << i;
    EXPECT_EQ(2, host.changes);
    SendMessage(list, WM_CHAR, VK_SPACE, 0);
    EXPECT_EQ(-1, SendMessage(list, LB_GETCARETINDEX, 0, 0));
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
}

} // namespace
