// Pages with rows for driving the options menu's host before its own pages exist: each row is
// a button followed by the cells given, and the page counts its Refresh and Leave calls and
// answers its own keys with a value the test sets.
#pragma once

#include "COptionsBar.h"
#include "COptionsButton.h"
#include "COptionsDlg.h"
#include "COptionsNumber.h"
#include "COptionsPage.h"
#include "COptionsRow.h"
#include "COptionsSelector.h"
#include "COptionsSlider.h"
#include "resource.h"

inline namespace options_test_pages {

class TestPage : public COptionsPage
{
public:
    TestPage(UINT id, int rows, bool withCells) : COptionsPage(id), m_nRows(rows), m_bCells(withCells) {}

    void Refresh() override { ++refreshes; }
    void Leave() override { ++leaves; }
    LRESULT OnPageKey(UINT key, LPARAM) override
    {
        pageKeys.push_back(key);
        return pageAnswer;
    }

    void OnScanProgress(int from, int to, int position) override { scan = {from, to, position}; }

    BOOL BuildRows() override
    {
        for (int i = 0; i < m_nRows; ++i) {
            COptionsRow* row = new COptionsRow;
            if (!row->Create(CRect(20, 0, 229, 45), this, GetDlgCtrlID()))
                return FALSE;
            CString name;
            name.Format("ROW %d", i);
            AddCell(row, new COptionsButton, CRect(20, 0, 229, 45), name);
            if (m_bCells)
                AddCells(row, i);
            AddRow(row);
        }
        return TRUE;
    }

    int refreshes = 0;
    int leaves = 0;
    LRESULT pageAnswer = 2;
    std::vector<UINT> pageKeys;
    std::vector<int> scan;

private:
    static void AddCell(COptionsRow* row, COptionsLabel* cell, const CRect& rect, LPCTSTR text = "")
    {
        cell->Create(rect, row, row->GetDlgCtrlID(), text);
        row->AddCell(cell);
    }

    // One kind of cell per row, as the menu's own pages have them.
    static void AddCells(COptionsRow* row, int index)
    {
        switch (index % 4) {
        case 0: {
            COptionsSelector* selector = new COptionsSelector;
            AddCell(row, selector, CRect(253, 6, 510, 45));
            selector->SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT,
                                 IDB_OPTIONS_RIGHT_HOT);
            selector->AddString("PAL-D");
            selector->AddString("NTSC");
            break;
        }
        case 1: {
            COptionsBar* bar = new COptionsBar;
            AddCell(row, bar, CRect(289, 10, 579, 45));
            bar->SetBitmaps(IDB_OPTIONS_BAR_BACK, IDB_OPTIONS_BAR_FILL);
            bar->SetRange(0, 255);
            bar->SetValue(160);
            break;
        }
        case 2: {
            COptionsSlider* slider = new COptionsSlider;
            AddCell(row, slider, CRect(253, 10, 599, 45));
            slider->SetBitmaps(IDB_OPTIONS_TRACK, IDB_OPTIONS_THUMB);
            slider->SetRange(-50, 50);
            slider->SetValue(10);
            break;
        }
        default:
            for (int i = 0; i < 3; ++i) {
                COptionsNumber* number = new COptionsNumber;
                AddCell(row, number, CRect(249 + 110 * i, 6, 319 + 110 * i, 38));
                number->SetRange(0, 59);
                number->SetValue(10 * (i + 1));
                if (i < 2)
                    AddCell(row, new COptionsLabel, CRect(319 + 110 * i, 6, 359 + 110 * i, 38), ":");
            }
            break;
        }
    }

    int m_nRows;
    bool m_bCells;
};

// The host over test pages: the root has one row more than it has children, page 1 (one
// child) three rows, every other page two.
class TestOptionsDlg : public COptionsDlg
{
public:
    explicit TestOptionsDlg(bool withCells = false) : m_bCells(withCells) {}

    TestPage* Page(int index) const { return static_cast<TestPage*>(GetPage(index)); }

protected:
    COptionsPage* NewPage(int index) override
    {
        static const UINT ids[kPageCount] = {45600, 45500, 45400, 45200, 45000, 45300, 45000, 45100, 45200};
        int rows = index == 0 ? 6 : index == 1 ? 3 : 2;
        return new TestPage(ids[index], rows, m_bCells);
    }

    bool m_bCells;
};

} // namespace options_test_pages
