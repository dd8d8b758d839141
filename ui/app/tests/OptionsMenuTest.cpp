// The options menu's cells, rows, pages and host in a test window, with the program's art.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppMessages.h"
#include "OptionsTestPages.h"
#include "ParentWindow.h"
#include "WindowPixels.h"

namespace {

LRESULT Key(CWnd& window, UINT key)
{
    return window.SendMessage(WM_OPTIONS_KEY, key, 0);
}

std::string Text(CWnd& window)
{
    CString text;
    window.GetWindowText(text);
    return (LPCTSTR)text;
}

CRect ChildRect(CWnd& window)
{
    CRect rect;
    window.GetWindowRect(&rect);
    ::MapWindowPoints(NULL, ::GetParent(window.m_hWnd), (LPPOINT)&rect, 2);
    return rect;
}

// Paints a cell into a memory DC first filled with a marker, and reads it back.
class CellPicture
{
public:
    static constexpr COLORREF kMarker = RGB(1, 2, 3);

    explicit CellPicture(COptionsLabel& cell)
    {
        cell.GetClientRect(&m_rect);
        HDC screen = ::GetDC(NULL);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, m_rect.Width(), m_rect.Height());
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        CDC* dc = CDC::FromHandle(memory);
        dc->FillSolidRect(&m_rect, kMarker);
        cell.Draw(dc);
        m_pixels = WindowPixels::ReadDC(memory, m_rect);
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(NULL, screen);
    }

    COLORREF At(int x, int y) const
    {
        DWORD rgb = m_pixels[(size_t)y * m_rect.Width() + x];
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }

private:
    CRect m_rect;
    std::vector<DWORD> m_pixels;
};

const COLORREF kBarBack = RGB(0xA0, 0xA8, 0xB8);
const COLORREF kBarFill = RGB(0x00, 0xA0, 0x50);
const COLORREF kThumb = RGB(0xFF, 0xD0, 0x40);

class OptionsCellTest : public testing::Test
{
protected:
    template <class Cell> Cell& Make(Cell& cell, const CRect& rect = CRect(0, 0, 200, 40), LPCTSTR text = "")
    {
        EXPECT_TRUE(cell.Create(rect, CWnd::FromHandle(parent.Handle()), 77, text));
        return cell;
    }

    ParentWindow parent{RECT{100, 100, 800, 300}, WS_POPUP | WS_VISIBLE};
};

// Each cell from its made state through a run of keys: the answers, and the focus mark after.
TEST_F(OptionsCellTest, EveryCellAnswersEachKeyAsItsKindDoes)
{
    struct Step { UINT key; LRESULT answer; BOOL mark; };
    const UINT others[] = {VK_RETURN, VK_APPS, VK_ESCAPE, 'A', VK_SPACE};
    COptionsLabel label;
    COptionsButton button;
    COptionsNumber number;
    COptionsBar bar;
    COptionsSelector selector;
    COptionsSlider slider;
    selector.AddString("A");
    selector.AddString("B");
    struct Case {
        const char* name;
        COptionsLabel* cell;
        std::vector<Step> steps;
    } cases[] = {
        {"label", &label, {{VK_LEFT, 2, 0}, {VK_RIGHT, 2, 0}, {VK_UP, 2, 0}, {VK_DOWN, 2, 0}}},
        // The button stops the walk as it loses the mark; the number as it takes it.
        {"button", &button, {{VK_RIGHT, 2, 1}, {VK_RIGHT, 0, 0}, {VK_LEFT, 2, 1}, {VK_UP, 2, 1}, {VK_DOWN, 2, 1}, {VK_LEFT, 0, 0}}},
        {"number", &number, {{VK_RIGHT, 0, 1}, {VK_RIGHT, 2, 0}, {VK_LEFT, 0, 1}, {VK_UP, 0, 1}, {VK_DOWN, 0, 1}, {VK_LEFT, 2, 0}, {VK_UP, 0, 0}}},
        {"bar", &bar, {{VK_LEFT, 0, 0}, {VK_RIGHT, 0, 0}, {VK_UP, 2, 0}, {VK_DOWN, 2, 0}}},
        {"selector", &selector, {{VK_LEFT, 0, 0}, {VK_RIGHT, 0, 0}, {VK_UP, 2, 0}, {VK_DOWN, 2, 0}}},
        {"slider", &slider, {{VK_LEFT, 0, 0}, {VK_RIGHT, 0, 0}, {VK_UP, 2, 0}, {VK_DOWN, 2, 0}}},
    };
    for (Case& c : cases) {
        Make(*c.cell);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(c.steps[i].answer, Key(*c.cell, c.steps[i].key)) << c.name << " step " << i;
            EXPECT_EQ(c.steps[i].mark, c.cell->GetFocusMark()) << c.name << " step " << i;
        }
        for (UINT key : others)
            EXPECT_EQ(2, Key(*c.cell, key)) << c.name << " key " << key;
        // Switched off, a cell passes every key over and changes nothing.
        std::string before = Text(*c.cell);
        EXPECT_TRUE(c.cell->SetKeyHandling(FALSE));
        for (UINT key : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_RETURN})
            EXPECT_EQ(2, Key(*c.cell, key)) << c.name << " off, key " << key;
        EXPECT_EQ(before, Text(*c.cell)) << c.name;
        EXPECT_FALSE(c.cell->SetKeyHandling(TRUE));
    }
}

TEST_F(OptionsCellTest, CellsTakeTheirKindsFontsColoursAndNotifyCodes)
{
    COptionsLabel label;
    COptionsButton button;
    COptionsNumber number;
    COptionsBar bar;
    COptionsSelector selector;
    COptionsSlider slider;
    struct Case {
        COptionsLabel* cell;
        int height, width;
        COLORREF text, highlight;
        UINT code;
    } cases[] = {
        {&label, 30, 15, RGB(0, 0, 0), RGB(0, 255, 0), 0},
        {&button, 24, 12, RGB(255, 255, 255), RGB(255, 255, 255), 1},
        {&number, 30, 15, RGB(0, 0, 0), RGB(0, 255, 0), 5},
        {&bar, 24, 12, RGB(0, 0, 0), RGB(0, 255, 0), 2},
        {&selector, 30, 15, RGB(0, 0, 0), RGB(255, 0, 0), 4},
        {&slider, 15, 11, RGB(0, 0, 0), RGB(0, 255, 0), 3},
    };
    int index = 0;
    for (const Case& c : cases) {
        const LOGFONT& font = c.cell->GetLogFont();
        EXPECT_EQ(c.height, font.lfHeight) << index;
        EXPECT_EQ(c.width, font.lfWidth) << index;
        EXPECT_EQ(600, font.lfWeight) << index;
        EXPECT_STREQ("Arial", font.lfFaceName) << index;
        EXPECT_EQ(c.text, c.cell->GetTextColor()) << index;
        EXPECT_EQ(c.highlight, c.cell->GetHighlightColor()) << index;
        // A click tells the parent, with the cell's notify code.
        Make(*c.cell, CRect(10 + 100 * index, 0, 100 + 100 * index, 40));
        parent.ClearLog();
        c.cell->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        std::vector<LoggedMessage> sent = parent.Sent(WM_COMMAND, 77, c.code);
        ASSERT_EQ(1u, sent.size()) << index;
        EXPECT_EQ((LPARAM)c.cell->m_hWnd, sent[0].lParam) << index;
        ++index;
    }
}

TEST_F(OptionsCellTest, NumbersStayWithinTheirRange)
{
    COptionsNumber number;
    Make(number);
    number.SetRange(1, 12);
    EXPECT_EQ(1, number.GetValue());
    EXPECT_EQ("1", Text(number));
    Key(number, VK_DOWN);
    EXPECT_EQ(1, number.GetValue());
    number.SetValue(99);
    EXPECT_EQ(12, number.GetValue());
    Key(number, VK_UP);
    EXPECT_EQ(12, number.GetValue());
    Key(number, VK_DOWN);
    EXPECT_EQ(11, number.GetValue());
    EXPECT_EQ("11", Text(number));
    number.SetRange(2003, 2100);
    EXPECT_EQ(2003, number.GetValue());
    int low = 0, high = 0;
    number.GetRange(low, high);
    EXPECT_EQ(2003, low);
    EXPECT_EQ(2100, high);
}

TEST_F(OptionsCellTest, SelectorsWrapBothWays)
{
    COptionsSelector selector;
    Make(selector);
    EXPECT_EQ("", std::string((LPCTSTR)selector.GetCurText()));
    EXPECT_EQ(0, Key(selector, VK_RIGHT));
    EXPECT_EQ(0, selector.GetCurSel());
    selector.AddString("是");
    selector.AddString("否");
    EXPECT_EQ("是", Text(selector));
    Key(selector, VK_LEFT);
    EXPECT_EQ(1, selector.GetCurSel());
    EXPECT_EQ("否", Text(selector));
    Key(selector, VK_RIGHT);
    EXPECT_EQ(0, selector.GetCurSel());
    const struct { int set, expected; } cases[] = {{2, 0}, {-1, 1}, {1, 1}, {5, 0}};
    for (const auto& c : cases) {
        selector.SetCurSel(c.set);
        EXPECT_EQ(c.expected, selector.GetCurSel()) << c.set;
    }
    selector.SetCurSel(1);
    selector.RemoveAll();
    EXPECT_EQ(0, selector.GetCurSel());
    EXPECT_EQ("", Text(selector));
}

TEST_F(OptionsCellTest, BarsAndSlidersStepWithinTheirRange)
{
    COptionsBar bar;
    COptionsSlider slider;
    Make(bar);
    Make(slider);
    EXPECT_EQ(5, bar.GetStep());
    EXPECT_EQ(1, slider.GetStep());
    bar.SetValue(98);
    Key(bar, VK_RIGHT);
    EXPECT_EQ(100, bar.GetValue());
    EXPECT_EQ("100", Text(bar));
    bar.SetValue(3);
    Key(bar, VK_LEFT);
    EXPECT_EQ(0, bar.GetValue());
    EXPECT_EQ(5, bar.SetStep(7000));
    EXPECT_EQ(7000, bar.GetStep());
    bar.SetRange(10, 20);
    EXPECT_EQ(10, bar.GetValue());

    slider.SetRange(0, 4000);
    EXPECT_EQ(1, slider.SetStep(2001));
    EXPECT_EQ(1, slider.GetStep());
    EXPECT_EQ(1, slider.SetStep(2000));
    EXPECT_EQ(2000, slider.GetStep());
    slider.SetValue(3000);
    Key(slider, VK_RIGHT);
    EXPECT_EQ(4000, slider.GetValue());
    Key(slider, VK_LEFT);
    Key(slider, VK_LEFT);
    Key(slider, VK_LEFT);
    EXPECT_EQ(0, slider.GetValue());
    EXPECT_EQ("0", Text(slider));
}

// Read from paints into a memory DC, along the top line where the centred text never reaches.
TEST_F(OptionsCellTest, BarsFillAndSlidersPlaceTheirThumbAtTheValuesShare)
{
    COptionsBar bar;
    Make(bar);
    ASSERT_TRUE(bar.SetBitmaps(IDB_OPTIONS_BAR_BACK, IDB_OPTIONS_BAR_FILL));
    CRect client;
    bar.GetClientRect(&client);
    ASSERT_EQ(290, client.Width());
    ASSERT_EQ(35, client.Height());
    bar.SetRange(0, 10000);
    bar.SetValue(5000);
    {
        CellPicture picture(bar);
        EXPECT_EQ(kBarFill, picture.At(0, 1));
        EXPECT_EQ(kBarFill, picture.At(144, 1));
        EXPECT_EQ(kBarBack, picture.At(145, 1));
        EXPECT_EQ(kBarBack, picture.At(289, 1));
    }
    bar.SetValue(10000);
    EXPECT_EQ(kBarFill, CellPicture(bar).At(289, 1));
    // An empty range has no share: no fill, and nothing divides by zero.
    bar.SetRange(7, 7);
    EXPECT_EQ(kBarBack, CellPicture(bar).At(0, 1));

    COptionsSlider slider;
    Make(slider);
    ASSERT_TRUE(slider.SetBitmaps(IDB_OPTIONS_TRACK, IDB_OPTIONS_THUMB));
    slider.GetClientRect(&client);
    ASSERT_EQ(346, client.Width());
    EXPECT_EQ(12, slider.GetThumbWidth());
    const struct { int minimum, maximum, value, left; } cases[] = {
        {0, 100, 50, 173}, {0, 100, 0, 0}, {-50, 50, 0, 173}, {0, 4000, 1000, 86},
        // At the maximum the thumb stays inside the track; an empty range puts it at the left.
        {0, 100, 100, 334}, {5, 5, 5, 0},
    };
    for (const auto& c : cases) {
        slider.SetRange(c.minimum, c.maximum);
        slider.SetValue(c.value);
        EXPECT_EQ(c.left, slider.ThumbLeft(client.Width())) << c.value;
        CellPicture picture(slider);
        EXPECT_EQ(kThumb, picture.At(c.left, 1)) << c.value;
        EXPECT_EQ(kThumb, picture.At(c.left + 11, 1)) << c.value;
        if (c.left > 0) {
            EXPECT_EQ(kBarBack, picture.At(c.left - 1, 1)) << c.value;
        }
        if (c.left + 12 < client.Width()) {
            EXPECT_EQ(kBarBack, picture.At(c.left + 12, 1)) << c.value;
        }
    }
}

TEST_F(OptionsCellTest, NumbersAndSelectorsDrawTheirHighlight)
{
    COptionsNumber number;
    Make(number);
    EXPECT_EQ(CellPicture::kMarker, CellPicture(number).At(0, 0));
    number.SetHighlight(TRUE);
    EXPECT_EQ(RGB(255, 255, 255), CellPicture(number).At(0, 0));
    number.SetFillColor(RGB(0, 0, 200));
    EXPECT_EQ(RGB(0, 0, 200), CellPicture(number).At(0, 0));

    COptionsSelector selector;
    Make(selector, CRect(0, 0, 300, 20));
    ASSERT_TRUE(selector.SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT,
                                    IDB_OPTIONS_RIGHT_HOT));
    CRect client;
    selector.GetClientRect(&client);
    EXPECT_EQ(300, client.Width());
    EXPECT_EQ(39, client.Height());
    {
        CellPicture picture(selector);
        EXPECT_EQ(RGB(0xC0, 0xC8, 0xD8), picture.At(0, 0));
        EXPECT_EQ(RGB(0xC0, 0xC8, 0xD8), picture.At(299, 0));
        EXPECT_EQ(CellPicture::kMarker, picture.At(150, 0));
    }
    selector.SetHighlight(TRUE);
    CellPicture picture(selector);
    EXPECT_EQ(RGB(0xE0, 0x40, 0x40), picture.At(0, 0));
    EXPECT_EQ(RGB(0xE0, 0x40, 0x40), picture.At(299, 0));
}

// A cell that passes every key over and counts them.
class PassingCell : public COptionsLabel
{
public:
    LRESULT OnKey(UINT, LPARAM) override
    {
        ++asked;
        return 2;
    }
    int asked = 0;
};

class OptionsRowTest : public OptionsCellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(row.Create(CRect(0, 0, 600, 45), CWnd::FromHandle(parent.Handle()), 5));
    }

    template <class Cell> Cell* Add(Cell* cell, int left = 0)
    {
        EXPECT_TRUE(cell->Create(CRect(left, 0, left + 60, 40), &row, 5, ""));
        row.AddCell(cell);
        return cell;
    }

    COptionsRow row;
};

// A button, then numbers with separators: Right stops on each number in turn, then rests once
// on the button; Left walks back the same way. Up and Down reach only the cell walked to.
TEST_F(OptionsRowTest, LeftAndRightWalkTheFocusAsTheMenuDoes)
{
    Add(new COptionsButton);
    COptionsNumber* first = Add(new COptionsNumber, 100);
    Add(new COptionsLabel, 160);
    COptionsNumber* second = Add(new COptionsNumber, 200);
    Add(new COptionsLabel, 260);
    first->SetValue(5);
    second->SetValue(7);

    EXPECT_EQ(2, Key(row, VK_UP));  // on the button
    EXPECT_EQ(5, first->GetValue());
    EXPECT_EQ(2, Key(row, VK_RETURN));
    const struct { UINT key; int cell; } walk[] = {
        {VK_RIGHT, 1}, {VK_RIGHT, 3}, {VK_RIGHT, 0}, {VK_RIGHT, 1},
        {VK_LEFT, 0}, {VK_LEFT, 3}, {VK_LEFT, 1}, {VK_LEFT, 0},
    };
    for (size_t i = 0; i < sizeof(walk) / sizeof(walk[0]); ++i) {
        EXPECT_EQ(1, Key(row, walk[i].key)) << "step " << i;
        EXPECT_EQ(walk[i].cell, row.GetCurrentCell()) << "step " << i;
        EXPECT_EQ(walk[i].cell == 1, first->GetFocusMark() != FALSE) << "step " << i;
        EXPECT_EQ(walk[i].cell == 3, second->GetFocusMark() != FALSE) << "step " << i;
    }
    EXPECT_EQ(2, Key(row, VK_DOWN));  // resting on the button
    Key(row, VK_RIGHT);
    Key(row, VK_RIGHT);
    ASSERT_EQ(3, row.GetCurrentCell());
    EXPECT_EQ(1, Key(row, VK_UP));
    EXPECT_EQ(8, second->GetValue());
    EXPECT_EQ(1, Key(row, VK_DOWN));
    EXPECT_EQ(1, Key(row, VK_DOWN));
    EXPECT_EQ(6, second->GetValue());
    EXPECT_EQ(5, first->GetValue());
}

TEST_F(OptionsRowTest, AWalkAsksEachCellOnceAndPassesOverCellsSwitchedOff)
{
    PassingCell* cells[] = {Add(new PassingCell), Add(new PassingCell, 60), Add(new PassingCell, 120)};
    row.SetCurrentCell(1);
    EXPECT_EQ(2, Key(row, VK_RIGHT));
    for (PassingCell* cell : cells)
        EXPECT_EQ(1, cell->asked);
    EXPECT_EQ(0, row.GetCurrentCell());

    COptionsRow other;
    ASSERT_TRUE(other.Create(CRect(0, 50, 600, 95), CWnd::FromHandle(parent.Handle()), 6));
    EXPECT_EQ(2, Key(other, VK_RIGHT));  // no cells at all
    COptionsNumber* off = new COptionsNumber;
    off->Create(CRect(0, 0, 50, 40), &other, 6, "");
    other.AddCell(off);
    COptionsNumber* on = new COptionsNumber;
    on->Create(CRect(60, 0, 110, 40), &other, 6, "");
    other.AddCell(on);
    off->SetKeyHandling(FALSE);
    EXPECT_EQ(1, Key(other, VK_RIGHT));
    EXPECT_EQ(1, other.GetCurrentCell());
    EXPECT_FALSE(off->GetFocusMark());
    EXPECT_TRUE(on->GetFocusMark());
}

TEST_F(OptionsRowTest, CurrentCellWrapsAndSelectionHighlightsEveryCell)
{
    COptionsLabel* a = Add(new COptionsLabel);
    COptionsLabel* b = Add(new COptionsLabel, 60);
    EXPECT_EQ(nullptr, row.GetCell(2));
    EXPECT_EQ(nullptr, row.GetCell(-1));
    EXPECT_EQ(0, row.SetCurrentCell(-1));
    EXPECT_EQ(1, row.GetCurrentCell());
    EXPECT_EQ(1, row.SetCurrentCell(2));
    EXPECT_EQ(0, row.GetCurrentCell());
    row.SetSelected(TRUE);
    EXPECT_TRUE(a->GetHighlight());
    EXPECT_TRUE(b->GetHighlight());
    row.SetSelected(FALSE);
    EXPECT_FALSE(b->GetHighlight());
    // Its own backgrounds give its size.
    ASSERT_TRUE(row.SetBitmaps(IDB_OPTIONS_ROW, IDB_OPTIONS_ROW_SELECTED));
    CRect client;
    row.GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, 600, 45), client);
    EXPECT_FALSE(row.SetBitmaps(IDB_OPTIONS_ROW, 9999));
}

class OptionsPageTest : public OptionsCellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.LoadBitmap(IDB_OPTIONS_TOP));
        ASSERT_TRUE(bottom.LoadBitmap(IDB_OPTIONS_BOTTOM));
        ASSERT_TRUE(normal.LoadBitmap(IDB_OPTIONS_ROW));
        ASSERT_TRUE(selected.LoadBitmap(IDB_OPTIONS_ROW_SELECTED));
    }

    void Build(TestPage& page)
    {
        ASSERT_TRUE(page.Create(CRect(0, 0, 120, 120), CWnd::FromHandle(parent.Handle()), 0));
        page.SetBands(&top, &bottom);
        ASSERT_TRUE(page.BuildRows());
        page.SetRowBitmaps(&normal, &selected);
        page.LayoutRows();
        page.SetCurrentRow(0);
    }

    CBitmap top, bottom, normal, selected;
};

TEST_F(OptionsPageTest, BandsAndRowsGiveThePagesLayout)
{
    ::SetWindowPos(parent.Handle(), NULL, 0, 0, 700, 400, SWP_NOMOVE | SWP_NOZORDER);
    TestPage page(45600, 4, true);
    Build(page);
    EXPECT_EQ(45600, page.GetDlgCtrlID());
    CRect client;
    page.GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, 600, 40 + 4 * 45 + 50), client);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(CRect(0, 40 + 45 * i, 600, 85 + 45 * i), ChildRect(*page.GetRow(i))) << i;
    EXPECT_EQ(CRect(20, 220, 580, 270), ChildRect(page.GetCaption()));
    CString caption;
    caption.LoadString(IDS_OPTIONS_CAPTION);
    EXPECT_EQ(std::string("设置"), (LPCTSTR)caption);
    EXPECT_EQ(std::string("设置"), Text(page.GetCaption()));
    EXPECT_EQ(RGB(255, 0, 0), page.GetCaption().GetTextColor());
    EXPECT_EQ(32, page.GetCaption().GetLogFont().lfHeight);
    EXPECT_EQ(20, page.GetCaption().GetLogFont().lfWidth);
    // The picture: bands, the selected row, the others.
    {
        WindowPixels pixels(page.m_hWnd);
        EXPECT_EQ(RGB(0x30, 0x38, 0x48), pixels.AtClient(5, 5));
        EXPECT_EQ(RGB(0x1A, 0x28, 0x50), pixels.AtClient(5, 42));
        EXPECT_EQ(RGB(0x5A, 0x78, 0xB4), pixels.AtClient(5, 87));
        EXPECT_EQ(RGB(0x30, 0x38, 0x48), pixels.AtClient(5, 265));
    }
    // Bands alone: the page is as high as both.
    TestPage empty(45000, 0, false);
    Build(empty);
    empty.GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, 600, 90), client);
    EXPECT_EQ(nullptr, empty.GetRow(0));
}

TEST_F(OptionsPageTest, RowsAreSelectedOneAtATimeAndWrap)
{
    TestPage page(45500, 3, false);
    Build(page);
    EXPECT_TRUE(page.GetRow(0)->IsSelected());
    EXPECT_EQ(0, page.SetCurrentRow(3));
    EXPECT_EQ(0, page.SetCurrentRow(-1));
    EXPECT_EQ(0, page.GetCurrentRowIndex());
    EXPECT_EQ(0, page.SetCurrentRow(2));
    EXPECT_TRUE(page.GetRow(2)->IsSelected());
    EXPECT_FALSE(page.GetRow(0)->IsSelected());
    page.NextRow();
    EXPECT_EQ(0, page.GetCurrentRowIndex());
    page.PrevRow();
    EXPECT_EQ(2, page.GetCurrentRowIndex());
    EXPECT_TRUE(page.GetRow(2)->IsSelected());
    EXPECT_FALSE(page.GetRow(0)->IsSelected());
}

// Row 3 of a page with cells holds a button and three numbers.
TEST_F(OptionsPageTest, PageKeysMoveRowsOrGoToThePagesOwnHandler)
{
    TestPage page(45100, 4, true);
    Build(page);
    page.pageAnswer = -1;
    EXPECT_EQ(2, Key(page, VK_APPS));
    EXPECT_EQ(0, Key(page, VK_UP));
    EXPECT_EQ(3, page.GetCurrentRowIndex());
    EXPECT_TRUE(page.pageKeys.empty());
    COptionsRow* row = page.GetRow(3);
    COptionsNumber* number = static_cast<COptionsNumber*>(row->GetCell(1));
    // Right gives the number the focus; the row used it and the page's handler follows.
    EXPECT_EQ(-1, Key(page, VK_RIGHT));
    EXPECT_TRUE(number->GetFocusMark());
    EXPECT_EQ(-1, Key(page, VK_UP));
    EXPECT_EQ(11, number->GetValue());
    EXPECT_EQ(3, page.GetCurrentRowIndex());
    EXPECT_EQ((std::vector<UINT>{VK_RIGHT, VK_UP}), page.pageKeys);
    EXPECT_EQ(-1, Key(page, VK_RETURN));
    EXPECT_EQ(-1, Key(page, VK_DOWN));  // the number uses Down too
    EXPECT_EQ(10, number->GetValue());
    // Keys outside Enter..Down: used by nobody, answered 0.
    page.pageKeys.clear();
    EXPECT_EQ(0, Key(page, 'A'));
    EXPECT_EQ(0, Key(page, VK_SPACE));
    EXPECT_TRUE(page.pageKeys.empty());
    // The slider row (2): Right passes the button and moves the slider; a page answering 2
    // (as the base does) is answered back to the host.
    page.SetCurrentRow(2);
    COptionsSlider* slider = static_cast<COptionsSlider*>(page.GetRow(2)->GetCell(1));
    EXPECT_EQ(-1, Key(page, VK_RIGHT));
    EXPECT_EQ(11, slider->GetValue());
    page.pageAnswer = 2;
    EXPECT_EQ(2, Key(page, VK_RIGHT));
    EXPECT_EQ(12, slider->GetValue());
    EXPECT_EQ(2, Key(page, VK_RETURN));
}

TEST_F(OptionsPageTest, ChildPagesFollowTheCurrentRow)
{
    TestPage parentPage(45600, 3, false), a(1, 0, false), b(2, 0, false);
    Build(parentPage);
    EXPECT_EQ(nullptr, parentPage.GetChildPage());
    parentPage.AddChild(&a);
    // One child is reached from every row.
    parentPage.SetCurrentRow(2);
    EXPECT_EQ(&a, parentPage.GetChildPage());
    parentPage.AddChild(&b);
    EXPECT_EQ(nullptr, parentPage.GetChildPage());
    parentPage.SetCurrentRow(1);
    EXPECT_EQ(&b, parentPage.GetChildPage());
    parentPage.SetCurrentRow(0);
    EXPECT_EQ(&a, parentPage.GetChildPage());
}

class OptionsHostTest : public OptionsCellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(CWnd::FromHandle(parent.Handle())));
    }

    int Current() const
    {
        for (int i = 0; i < COptionsDlg::kPageCount; ++i)
            if (host.GetPage(i) == host.GetCurrentPage())
                return i;
        return -1;
    }

    void Keys(std::initializer_list<UINT> keys)
    {
        for (UINT key : keys)
            EXPECT_EQ(0, host.SendMessage(WM_OPTIONS_KEY, key, 0)) << key;
    }

    TestOptionsDlg host;
};

TEST_F(OptionsHostTest, TheTreeIsBuiltHiddenAtTheRootAndCentred)
{
    EXPECT_FALSE(host.IsWindowVisible());
    EXPECT_EQ(0, Current());
    const UINT ids[] = {45600, 45500, 45400, 45200, 45000, 45300, 45000, 45100, 45200};
    const int parents[] = {-1, 0, 1, 0, 0, 0, 8, 4, 0};
    for (int i = 0; i < COptionsDlg::kPageCount; ++i) {
        COptionsPage* page = host.GetPage(i);
        ASSERT_NE(nullptr, page);
        EXPECT_EQ((int)ids[i], page->GetDlgCtrlID()) << i;
        EXPECT_EQ(parents[i] < 0 ? nullptr : host.GetPage(parents[i]), page->GetParentPage()) << i;
        EXPECT_EQ(i == 0, (page->GetStyle() & WS_VISIBLE) != 0) << i;
        EXPECT_EQ(1, host.Page(i)->refreshes) << i;
    }
    EXPECT_EQ(nullptr, host.GetPage(9));
    EXPECT_EQ(nullptr, host.GetPage(-1));
    CRect window;
    host.GetWindowRect(&window);
    EXPECT_EQ(600, window.Width());
    EXPECT_EQ(40 + 6 * 45 + 50, window.Height());
    CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_NEAR(screen.CenterPoint().x, window.CenterPoint().x, 1);
    EXPECT_NEAR(screen.CenterPoint().y, window.CenterPoint().y, 1);
}

TEST_F(OptionsHostTest, EnterOpensTheRowsChildAndTheMenuKeyGoesBack)
{
    host.ShowMenu(TRUE);
    EXPECT_TRUE(host.IsWindowVisible());
    // Root rows lead to pages 1, 3, 4, 5 and 8; its sixth row leads nowhere.
    const int children[] = {1, 3, 4, 5, 8, 0};
    for (int row = 0; row < 6; ++row) {
        host.GetPage(0)->SetCurrentRow(row);
        Keys({VK_RETURN});
        EXPECT_EQ(children[row], Current()) << row;
        EXPECT_EQ(children[row] != 0, host.GetPage(0)->IsWindowVisible() == FALSE) << row;
        if (children[row] != 0)
            Keys({VK_APPS});
        EXPECT_EQ(0, Current()) << row;
    }
    // Page 1 has one child, reached from any of its rows; the host fits each page it shows.
    host.GetPage(0)->SetCurrentRow(0);
    Keys({VK_RETURN, VK_DOWN, VK_DOWN});
    EXPECT_EQ(2, host.GetPage(1)->GetCurrentRowIndex());
    Keys({VK_RETURN});
    EXPECT_EQ(2, Current());
    CRect window;
    host.GetWindowRect(&window);
    EXPECT_EQ(40 + 2 * 45 + 50, window.Height());
    Keys({VK_RETURN});  // no child: nothing
    EXPECT_EQ(2, Current());
    Keys({VK_APPS});
    EXPECT_EQ(1, Current());
    host.GetWindowRect(&window);
    EXPECT_EQ(40 + 3 * 45 + 50, window.Height());
    Keys({VK_APPS});
    EXPECT_EQ(0, Current());
    EXPECT_TRUE(host.IsWindowVisible());
    Keys({VK_APPS});
    EXPECT_FALSE(host.IsWindowVisible());
    // Hidden, the menu key shows it again.
    Keys({VK_APPS});
    EXPECT_TRUE(host.IsWindowVisible());
}

TEST_F(OptionsHostTest, APageUsingTheKeyKeepsTheHostStill)
{
    host.ShowMenu(TRUE);
    host.Page(0)->pageAnswer = -1;
    Keys({VK_RETURN});
    EXPECT_EQ(0, Current());
    host.Page(0)->pageAnswer = 0;
    Keys({VK_RETURN});
    EXPECT_EQ(0, Current());
    host.Page(0)->pageAnswer = 1;
    Keys({VK_RETURN});
    EXPECT_EQ(1, Current());
    // The page's answer never reaches the sender.
    for (LRESULT answer : {-1, 0, 1, 2})
        for (UINT key : {UINT(VK_LEFT), UINT(VK_RIGHT), UINT(VK_UP), UINT(VK_DOWN), UINT(VK_RETURN), UINT('Q')}) {
            host.Page(1)->pageAnswer = answer;
            Keys({key});
        }
}

TEST_F(OptionsHostTest, ShowingAgainStartsAtTheRootWithEveryPageRefreshed)
{
    host.ShowMenu(TRUE);
    host.GetPage(0)->SetCurrentRow(2);
    Keys({VK_RETURN, VK_RETURN});
    ASSERT_EQ(7, Current());
    host.ShowMenu(FALSE);
    EXPECT_FALSE(host.IsWindowVisible());
    for (int i = 0; i < COptionsDlg::kPageCount; ++i)
        EXPECT_LE(1, host.Page(i)->leaves) << i;
    int leavesOf7 = host.Page(7)->leaves;
    host.ShowMenu(TRUE);
    EXPECT_EQ(0, Current());
    EXPECT_TRUE(host.GetPage(0)->IsWindowVisible());
    EXPECT_FALSE(host.GetPage(7)->IsWindowVisible());
    EXPECT_EQ(leavesOf7 + 1, host.Page(7)->leaves);  // hidden on the way back to the root
    for (int i = 0; i < COptionsDlg::kPageCount; ++i)
        EXPECT_LE(3, host.Page(i)->refreshes) << i;
}

TEST_F(OptionsHostTest, TheRemotesKeysAreTakenBeforeTranslationAndEscIsTheMenuKey)
{
    host.ShowMenu(TRUE);
    host.GetPage(0)->SetCurrentRow(1);
    MSG enter = {host.m_hWnd, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(host.PreTranslateMessage(&enter));
    EXPECT_EQ(3, Current());
    MSG esc = {host.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(host.PreTranslateMessage(&esc));
    EXPECT_EQ(0, Current());
    for (UINT key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
        MSG arrow = {host.m_hWnd, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(host.PreTranslateMessage(&arrow)) << key;
    }
    EXPECT_EQ(1, host.GetPage(0)->GetCurrentRowIndex());  // up, down: back where it was
    EXPECT_TRUE(host.PreTranslateMessage(&esc));
    EXPECT_FALSE(host.IsWindowVisible());
}

TEST_F(OptionsHostTest, AScansProgressGoesToTheScanPage)
{
    host.OnScanProgress(48250, 863250, 100000);
    EXPECT_EQ((std::vector<int>{48250, 863250, 100000}), host.Page(2)->scan);
    for (int i : {0, 1, 3, 8})
        EXPECT_TRUE(host.Page(i)->scan.empty()) << i;
}

TEST_F(OptionsHostTest, PagesGoWithTheHostsWindow)
{
    CWnd* root = host.GetPage(0);
    HWND rootWindow = root->m_hWnd;
    host.DestroyWindow();
    EXPECT_FALSE(::IsWindow(rootWindow));
    EXPECT_EQ(nullptr, host.GetPage(0));
    host.ShowMenu(TRUE);  // no window: nothing
    EXPECT_FALSE(host.GoToParentPage());
}

} // namespace
