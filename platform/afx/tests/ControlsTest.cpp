#include <gtest/gtest.h>

#include <afxcmn.h>

#include <string>
#include <vector>

#include "UserInput.h"
#include "WindowPixels.h"

namespace {

const COLORREF kUp = RGB(0x30, 0x60, 0xD0);
const COLORREF kDown = RGB(0xF0, 0xC0, 0x20);

// An owner-drawn button that paints itself one flat colour, another while pressed.
class CFlatButton : public CButton
{
public:
    void DrawItem(LPDRAWITEMSTRUCT draw) override
    {
        CDC::FromHandle(draw->hDC)->FillSolidRect(&draw->rcItem,
                                                  (draw->itemState & ODS_SELECTED) ? kDown : kUp);
        ++drawCount;
    }
    int drawCount = 0;
};

// An owner-drawn list box of items without strings whose heights grow with their value.
class CTallerList : public CListBox
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override
    {
        measure->itemHeight = 10 + 2 * (UINT)measure->itemData;
        measured.push_back(measure->itemData);
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++drawCount; }
    std::vector<ULONG_PTR> measured;
    int drawCount = 0;
};

// A parent of the framework's default class for the controls under test.
class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCTSTR windowClass = AfxRegisterWndClass(0, LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                                  (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_parent.CreateEx(0, windowClass, "Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      50, 50, 400, 300, NULL, NULL));
        UserInput::BringToFront(m_parent.m_hWnd);
    }

    CWnd m_parent;
};

} // namespace

TEST_F(ControlsTest, AnOwnerDrawnButtonIsDrawnByItsOwnObjectAndShowsItsPress)
{
    CFlatButton button;
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40),
                              &m_parent, 301));
    EXPECT_EQ(&button, CWnd::FromHandlePermanent(button.m_hWnd));
    EXPECT_EQ(kUp, WindowPixels(button.m_hWnd).AtClient(40, 15));
    EXPECT_GT(button.drawCount, 0);

    // Pressed and held, the button draws itself down.
    button.SendMessage(BM_SETSTATE, TRUE);
    EXPECT_EQ(kDown, WindowPixels(button.m_hWnd).AtClient(40, 15));
    button.SendMessage(BM_SETSTATE, FALSE);
    EXPECT_EQ(kUp, WindowPixels(button.m_hWnd).AtClient(40, 15));
}

TEST_F(ControlsTest, AnOwnerDrawnListBoxIsMeasuredAndDrawnThroughItsObject)
{
    CTallerList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE,
                            CRect(10, 50, 200, 250), &m_parent, 302));
    for (int value : {1, 5, 3})
        list.AddString((LPCTSTR)(INT_PTR)value);
    EXPECT_EQ((std::vector<ULONG_PTR>{1, 5, 3}), list.measured);
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(5u, list.GetItemData(1));
    EXPECT_EQ(20, list.GetItemHeight(1));
    WindowPixels shown(list.m_hWnd);
    EXPECT_GT(list.drawCount, 0);
}

TEST_F(ControlsTest, CommonControlsKeepWhatTheirObjectsGiveThem)
{
    CDateTimeCtrl date;
    ASSERT_TRUE(date.Create(WS_CHILD | WS_VISIBLE | DTS_SHORTDATEFORMAT, CRect(10, 10, 150, 34),
                            &m_parent, 310));
    CTime start(2026, 12, 24, 20, 30, 0);
    ASSERT_TRUE(date.SetTime(start));
    CTime read;
    ASSERT_EQ((DWORD)GDT_VALID, date.GetTime(read));
    EXPECT_EQ(2026, read.GetYear());
    EXPECT_EQ(12, read.GetMonth());
    EXPECT_EQ(24, read.GetDay());

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 200, 70), &m_parent, 311));
    slider.SetRange(0, 10);
    slider.SetPos(15);  // beyond the range: held at its end
    EXPECT_EQ(10, slider.GetPos());

    CHotKeyCtrl hotKey;
    ASSERT_TRUE(hotKey.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 80, 150, 100),
                              &m_parent, 312));
    hotKey.SetHotKey('R', HOTKEYF_CONTROL);
    WORD key = 0, modifiers = 0;
    hotKey.GetHotKey(key, modifiers);
    EXPECT_EQ('R', key);
    EXPECT_EQ(HOTKEYF_CONTROL, modifiers);

    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 110, 300, 200),
                            &m_parent, 313));
    EXPECT_EQ(0, list.InsertColumn(0, "文件", LVCFMT_LEFT, 120));
    EXPECT_EQ(1, list.InsertColumn(1, "格式", LVCFMT_LEFT, 60));
    // Longer than the first buffer the text is read into.
    std::string longName(300, 'x');
    longName += "录像.mpg";
    EXPECT_EQ(0, list.InsertItem(0, longName.c_str()));
    EXPECT_TRUE(list.SetItemText(0, 1, "DVD"));
    EXPECT_STREQ(longName.c_str(), list.GetItemText(0, 0));
    EXPECT_STREQ("DVD", list.GetItemText(0, 1));
    EXPECT_NE(nullptr, list.GetHeaderCtrl());
    EXPECT_EQ(2, list.GetHeaderCtrl()->GetItemCount());

    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES, CRect(10, 210, 200, 290),
                            &m_parent, 314));
    HTREEITEM root = tree.InsertItem("录像");
    HTREEITEM child = tree.InsertItem("电视", root);
    EXPECT_EQ(root, tree.GetRootItem());
    EXPECT_EQ(child, tree.GetChildItem(root));
    EXPECT_EQ(root, tree.GetParentItem(child));
    EXPECT_STREQ("电视", tree.GetItemText(child));

    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(210, 210, 390, 290), &m_parent, 315));
    EXPECT_EQ(0, tabs.InsertItem(0, "录像"));
    EXPECT_EQ(1, tabs.InsertItem(1, "定时"));
    EXPECT_EQ(2, tabs.GetItemCount());
    EXPECT_EQ(0, tabs.SetCurSel(1));
    EXPECT_EQ(1, tabs.GetCurSel());
}

TEST_F(ControlsTest, ComboAndListBoxesReadTheirItemsIntoStrings)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 150, 150),
                             &m_parent, 320));
    combo.AddString("中央一台");
    combo.AddString("北京卫视");
    CString text;
    combo.GetLBText(1, text);
    EXPECT_STREQ("北京卫视", text);
    combo.GetLBText(5, text);
    EXPECT_TRUE(text.IsEmpty());

    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(160, 10, 300, 150),
                            &m_parent, 321));
    list.AddString("电视");
    list.GetText(0, text);
    EXPECT_STREQ("电视", text);
}
