#include "COptionsSchedulePage.h"

#include "COptionsButton.h"
#include "COptionsRow.h"
#include "COptionsScheduleItemPage.h"
#include "COptionsSelector.h"
#include "Tickwell.h"
#include "resource.h"

namespace {

const UINT kId = 45000;

// The item at a position of the schedule; NULL past its end.
HTIMINGITEM ItemAt(int position)
{
    HTIMINGITEM first = Timing_GetFirstItem(0);
    HTIMINGITEM item = first;
    for (int i = 0; item != NULL && i < position; ++i) {
        item = Timing_GetNextItem(0, item);
        if (item == first)
            return NULL;
    }
    return item;
}

} // namespace

COptionsSchedulePage::COptionsSchedulePage() : COptionsPage(kId)
{
}

BOOL COptionsSchedulePage::BuildRows()
{
    CString empty;
    empty.LoadString(IDS_OPTIONS_EMPTY);
    for (int i = 0; i < kListRows; ++i) {
        COptionsRow* row = new COptionsRow;
        row->Create(CRect(20, 0, 229, 45), this, kId);
        COptionsLabel* left = new COptionsLabel;
        left->Create(CRect(20, 0, 229, 45), row, kId, empty);
        row->AddCell(left);
        COptionsLabel* right = new COptionsLabel;
        right->Create(CRect(229, 0, 579, 45), row, kId, empty);
        row->AddCell(right);
        AddRow(row);
    }
    COptionsRow* row = new COptionsRow;
    row->Create(CRect(20, 0, 229, 45), this, kId);
    CString text;
    text.LoadString(IDS_OPTIONS_OPERATION);
    COptionsButton* button = new COptionsButton;
    button->Create(CRect(20, 0, 229, 45), row, kId, text);
    row->AddCell(button);
    m_pOperation = new COptionsSelector;
    m_pOperation->Create(CRect(253, 6, 476, 45), row, kId);
    m_pOperation->SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT, IDB_OPTIONS_RIGHT_HOT);
    for (UINT id : {IDS_OPTIONS_ADD, IDS_OPTIONS_CHANGE, IDS_OPTIONS_DELETE}) {
        text.LoadString(id);
        m_pOperation->AddString(text);
    }
    m_pOperation->SetCurSel(kAdd);
    row->AddCell(m_pOperation);
    AddRow(row);
    return TRUE;
}

void COptionsSchedulePage::Refresh()
{
    if (m_pOperation == NULL)
        return;
    m_nItemCount = 0;
    m_pOperation->SetCurSel(kAdd);
    // Items whose time has passed leave the schedule as the list shows.
    HTIMINGITEM first = Timing_GetFirstItem(0);
    HTIMINGITEM item = first;
    while (item != NULL) {
        HTIMINGITEM next = Timing_GetNextItem(0, item);
        _tagTimingParam timing = {};
        int code = -1;
        if (Timing_GetItemTimingParam(item, &timing) && Timing_CheckItem(0, NULL, timing, &code) &&
            code == kTimingPassed) {
            if (item == first)
                first = next;
            Timing_RemoveItem(item);
        } else {
            ++m_nItemCount;
        }
        if (next == first)
            break;
        item = next;
    }
    m_nScreenCount = (m_nItemCount + 4) / 5;
    m_nScreen = 0;
    SetCurrentRow(m_nChosenRow);
    ShowScreen(0);
}

void COptionsSchedulePage::ShowScreen(int first)
{
    if (first >= m_nItemCount && m_nItemCount != 0)
        return;
    CString empty;
    empty.LoadString(IDS_OPTIONS_EMPTY);
    for (int i = 0; i < kListRows; ++i) {
        COptionsRow* row = GetRow(i);
        row->GetCell(0)->SetText(empty);
        row->GetCell(1)->SetText("");
    }
    m_rowMap.RemoveAll();
    CString item;
    item.LoadString(IDS_OPTIONS_ITEM);
    HTIMINGITEM at = ItemAt(first);
    for (int position = first; at != NULL && position < m_nItemCount && m_rowMap.GetSize() < kListRows;
         ++position, at = Timing_GetNextItem(0, at)) {
        _tagTimingParam timing = {};
        _tagExcuteParam execute = {};
        if (!Timing_GetItemTimingParam(at, &timing) ||
            !Timing_GetItemExcuteParam(at, &execute, sizeof(execute)) || execute.source != 0)
            continue;
        COptionsRow* row = GetRow((int)m_rowMap.GetSize());
        CTime start(timing.year, timing.month, timing.day, timing.hour, timing.minute, timing.second);
        row->GetCell(1)->SetText(start.Format("%Y-%m-%d  %H:%M:%S"));
        CString number;
        number.Format("%d   ", position + 1);
        row->GetCell(0)->SetText(number + item);
        m_rowMap.Add(position);
    }
}

void COptionsSchedulePage::SelectRow(int index, BOOL selected)
{
    if (COptionsRow* row = GetRow(index))
        row->SetSelected(selected);
}

int COptionsSchedulePage::SetCurrentRow(int index)
{
    int old = m_nCurrentRow;
    if (index < 0 || index >= GetRowCount())
        return old;
    m_nCurrentRow = index;
    SelectRow(index, TRUE);
    return old;
}

void COptionsSchedulePage::PrevRow()
{
    SelectRow(m_nChosenRow, FALSE);
    SelectRow(m_nCurrentRow, FALSE);
    if (m_nCurrentRow > 0) {
        SetCurrentRow(m_nCurrentRow - 1);
        return;
    }
    SetCurrentRow(kListRows - 1);
    if (m_nScreen > 0) {
        --m_nScreen;
        ShowScreen(m_nScreen * kListRows);
    }
}

void COptionsSchedulePage::NextRow()
{
    SelectRow(m_nChosenRow, FALSE);
    SelectRow(m_nCurrentRow, FALSE);
    if (m_nCurrentRow < kListRows - 1) {
        SetCurrentRow(m_nCurrentRow + 1);
        return;
    }
    SetCurrentRow(0);
    if (m_nScreen + 1 < m_nScreenCount) {
        ++m_nScreen;
        ShowScreen(m_nScreen * kListRows);
    }
}

void COptionsSchedulePage::Leave()
{
    SelectRow(kOperationRow, FALSE);
}

int COptionsSchedulePage::ChosenPosition() const
{
    if (m_nChosenRow >= m_rowMap.GetSize())
        return -1;
    int position = (int)m_rowMap[m_nChosenRow];
    return position < m_nItemCount ? position : -1;
}

LRESULT COptionsSchedulePage::OnPageKey(UINT key, LPARAM)
{
    if (m_nCurrentRow < kListRows) {
        // The chosen row stays highlighted beside the operation row, which takes the keys:
        // Up and Down alone never lead there.
        if (key == VK_RETURN) {
            m_nChosenRow = m_nCurrentRow;
            SetCurrentRow(kOperationRow);
        }
        return 0;
    }
    if (key != VK_RETURN)
        return 0;
    switch (m_pOperation->GetCurSel()) {
    case kAdd:
        SelectRow(m_nChosenRow, TRUE);
        m_nCurrentRow = 0;
        return 2;
    case kChange: {
        if (m_nItemCount == 0)
            return -1;
        int position = ChosenPosition();
        HTIMINGITEM item = position >= 0 ? ItemAt(position) : NULL;
        SelectRow(m_nChosenRow, TRUE);
        if (item == NULL)
            return 0;
        EditedScheduleItem = item;
        m_nCurrentRow = 0;
        return 2;
    }
    case kDelete: {
        if (m_nItemCount == 0)
            return -1;
        int position = ChosenPosition();
        if (HTIMINGITEM item = position >= 0 ? ItemAt(position) : NULL) {
            SelectRow(kOperationRow, FALSE);
            Timing_RemoveItem(item);
            --m_nItemCount;
            Refresh();
        }
        SelectRow(m_nChosenRow, TRUE);
        return 0;
    }
    default:
        return 0;
    }
}
