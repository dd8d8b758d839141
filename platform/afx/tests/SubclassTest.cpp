// Taking over windows made elsewhere and giving them back.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

namespace {

// Logs PreSubclassWindow and every message it is given.
class CLoggingEdit : public CWnd {
public:
    std::vector<UINT> messages;
    int preSubclassAt = -1;  // messages seen before PreSubclassWindow

protected:
    void PreSubclassWindow() override { preSubclassAt = (int)messages.size(); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string TextOf(HWND hWnd)
{
    char text[64] = "";
    GetWindowTextA(hWnd, text, sizeof(text));
    return text;
}

class SubclassTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_POPUP, 0, 0, 200, 100, NULL, NULL));
        hEdit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20,
                                parent.m_hWnd, (HMENU)kEditId, NULL, NULL);
        ASSERT_NE((HWND)NULL, hEdit);
    }

    enum { kEditId = 21 };
    CWnd parent;
    HWND hEdit = NULL;
};

TEST_F(SubclassTest, PreSubclassWindowRunsBeforeTheFirstMessage)
{
    CLoggingEdit made;
    ASSERT_TRUE(made.CreateEx(0, "EDIT", "made", WS_CHILD, 0, 30, 100, 20, parent.m_hWnd, NULL));
    EXPECT_EQ(0, made.preSubclassAt);
    EXPECT_FALSE(made.messages.empty()) << "a made window's creation messages reach its object";

    CLoggingEdit taken;
    ASSERT_TRUE(taken.SubclassDlgItem(kEditId, &parent));
    EXPECT_EQ(0, taken.preSubclassAt);
    EXPECT_EQ(hEdit, taken.m_hWnd);
    EXPECT_EQ(&taken, CWnd::FromHandlePermanent(hEdit));
    ::SetWindowTextA(hEdit, "typed");
    EXPECT_EQ("typed", TextOf(hEdit)) << "the control's own handling still runs";
    ASSERT_FALSE(taken.messages.empty());
    EXPECT_EQ((UINT)WM_SETTEXT, taken.messages[0]);

    CLoggingEdit second;
    EXPECT_FALSE(second.SubclassWindow(hEdit)) << "a window has one object";
    EXPECT_FALSE(second.SubclassDlgItem(999, &parent));
}

TEST_F(SubclassTest, UnsubclassWindowGivesTheWindowBackWorking)
{
    CLoggingEdit taken;
    ASSERT_TRUE(taken.SubclassWindow(hEdit));
    EXPECT_EQ(hEdit, taken.UnsubclassWindow());
    EXPECT_EQ(NULL, taken.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hEdit));

    size_t seen = taken.messages.size();
    ::SetWindowTextA(hEdit, "back");
    // WM_SETTEXT leaves an edit control's caret at the start: type after the text.
    ::SendMessageA(hEdit, EM_SETSEL, 4, 4);
    ::SendMessageA(hEdit, WM_CHAR, 'x', 1);
    EXPECT_EQ("backx", TextOf(hEdit));
    EXPECT_EQ(seen, taken.messages.size()) << "no message reaches the object any more";

    CLoggingEdit again;
    ASSERT_TRUE(again.SubclassWindow(hEdit));
    ::SetWindowTextA(hEdit, "again");
    EXPECT_EQ("again", TextOf(hEdit));
}

} // namespace
