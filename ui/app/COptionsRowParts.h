#pragma once

#include "COptionsBar.h"
#include "COptionsButton.h"
#include "COptionsRow.h"
#include "COptionsSelector.h"
#include "resource.h"

// The pieces the menu's pages build their rows from: a row that starts with a named button,
// and the cells that follow it, each with the pictures every page of the menu gives them.
namespace options_rows {

// A new row of the page, every row at the same place, with a button naming it. With
// ownBitmaps the row loads its backgrounds first; NULL when that fails (the row is deleted).
inline COptionsRow* NewRow(CWnd* page, UINT id, LPCTSTR name, BOOL ownBitmaps = FALSE)
{
    COptionsRow* row = new COptionsRow;
    if (!row->Create(CRect(20, 0, 229, 45), page, id) ||
        (ownBitmaps && !row->SetBitmaps(IDB_OPTIONS_ROW, IDB_OPTIONS_ROW_SELECTED))) {
        delete row;
        return NULL;
    }
    COptionsButton* button = new COptionsButton;
    button->Create(CRect(20, 0, 229, 45), row, id, name);
    row->AddCell(button);
    return row;
}

inline CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// A selector with the strings first..last of the string table.
inline COptionsSelector* AddSelector(COptionsRow* row, const CRect& rect, UINT id, UINT first, UINT last)
{
    COptionsSelector* selector = new COptionsSelector;
    selector->Create(rect, row, id);
    selector->SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT, IDB_OPTIONS_RIGHT_HOT);
    for (UINT text = first; text <= last; ++text)
        selector->AddString(LoadText(text));
    row->AddCell(selector);
    return selector;
}

inline COptionsBar* AddBar(COptionsRow* row, const CRect& rect, UINT id, int minimum, int maximum)
{
    COptionsBar* bar = new COptionsBar;
    bar->Create(rect, row, id);
    bar->SetBitmaps(IDB_OPTIONS_BAR_BACK, IDB_OPTIONS_BAR_FILL);
    bar->SetRange(minimum, maximum);
    row->AddCell(bar);
    return bar;
}

} // namespace options_rows
