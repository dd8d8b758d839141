#include "COptionsScheduleItemPage.h"

#include "COptionsButton.h"
#include "COptionsDlg.h"
#include "COptionsNumber.h"
#include "COptionsRow.h"
#include "COptionsSelector.h"
#include "TVSystem.h"
#include "resource.h"

HTIMINGITEM EditedScheduleItem = NULL;

namespace {

const int kDateRanges[6] = {2003, 2100, 1, 12, 1, 31};
const int kTimeRanges[6] = {0, 23, 0, 59, 0, 59};

COptionsRow* NewRow(COptionsPage* page, UINT id, UINT buttonText)
{
    COptionsRow* row = new COptionsRow;
    row->Create(CRect(20, 0, 229, 45), page, id);
    CString text;
    text.LoadString(buttonText);
    COptionsButton* button = new COptionsButton;
    button->Create(CRect(20, 0, 229, 45), row, id, text);
    row->AddCell(button);
    return row;
}

BOOL SameWords(const void* a, const void* b, size_t size)
{
    return memcmp(a, b, size) == 0;
}

} // namespace

COptionsScheduleItemPage::COptionsScheduleItemPage() : COptionsPage(45100)
{
}

COptionsScheduleItemPage::~COptionsScheduleItemPage()
{
    EditedScheduleItem = NULL;
}

COptionsRow* COptionsScheduleItemPage::AddNumberRow(COptionsPage* page, UINT id, UINT buttonText,
                                                    UINT separator, int separatorLeft,
                                                    int separatorRight, const int ranges[6],
                                                    COptionsNumber* numbers[3])
{
    COptionsRow* row = NewRow(page, id, buttonText);
    CString text;
    text.LoadString(separator);
    for (int i = 0; i < 3; ++i) {
        COptionsNumber* number = new COptionsNumber;
        number->Create(CRect(249 + 110 * i, 6, 319 + 110 * i, 38), row, id);
        number->SetRange(ranges[2 * i], ranges[2 * i + 1]);
        row->AddCell(number);
        numbers[i] = number;
        COptionsLabel* label = new COptionsLabel;
        label->Create(CRect(separatorLeft + 110 * i, 6, separatorRight + 110 * i, 38), row, id, text);
        row->AddCell(label);
    }
    page->AddRow(row);
    return row;
}

COptionsSelector* COptionsScheduleItemPage::AddSelectorRow(COptionsPage* page, UINT id,
                                                           UINT buttonText, const CRect& rect,
                                                           const UINT* texts, int count)
{
    COptionsRow* row = NewRow(page, id, buttonText);
    COptionsSelector* selector = new COptionsSelector;
    selector->Create(rect, row, id);
    selector->SetBitmaps(IDB_OPTIONS_LEFT, IDB_OPTIONS_LEFT_HOT, IDB_OPTIONS_RIGHT, IDB_OPTIONS_RIGHT_HOT);
    for (int i = 0; i < count; ++i) {
        CString text;
        text.LoadString(texts[i]);
        selector->AddString(text);
    }
    selector->SetCurSel(0);
    row->AddCell(selector);
    page->AddRow(row);
    return selector;
}

BOOL COptionsScheduleItemPage::BuildRows()
{
    const UINT id = 45100;
    AddNumberRow(this, id, IDS_OPTIONS_ITEM_ROW + kDateRow, IDS_OPTIONS_DATE_SEPARATOR, 319, 359,
                 kDateRanges, m_date);
    AddNumberRow(this, id, IDS_OPTIONS_ITEM_ROW + kTimeRow, IDS_OPTIONS_TIME_SEPARATOR, 319, 359,
                 kTimeRanges, m_time);
    AddNumberRow(this, id, IDS_OPTIONS_ITEM_ROW + kLengthRow, IDS_OPTIONS_TIME_SEPARATOR, 319, 359,
                 kTimeRanges, m_length);
    m_pChannel = AddSelectorRow(this, id, IDS_OPTIONS_ITEM_ROW + kChannelRow,
                                CRect(249, 6, 555, 45), NULL, 0);
    const UINT yesNo[] = {IDS_OPTIONS_YES, IDS_OPTIONS_NO};
    m_pShut = AddSelectorRow(this, id, IDS_OPTIONS_ITEM_ROW + kShutRow, CRect(249, 6, 555, 45), yesNo, 2);
    m_pShut->SetCurSel(1);
    const UINT okCancel[] = {IDS_OPTIONS_CONFIRM, IDS_OPTIONS_CANCEL};
    m_pSave = AddSelectorRow(this, id, IDS_OPTIONS_ITEM_ROW + kSaveRow, CRect(249, 6, 555, 45), okCancel, 2);
    return TRUE;
}

void COptionsScheduleItemPage::NewItemStart(const CTime& now, int start[6])
{
    start[0] = now.GetYear();
    start[1] = now.GetMonth();
    start[2] = now.GetDay();
    start[3] = (now.GetHour() + now.GetMinute() / 59) % 24;
    start[4] = (now.GetMinute() + 1) % 60;
    start[5] = now.GetSecond();
}

void COptionsScheduleItemPage::SplitLength(int seconds, int parts[3])
{
    parts[0] = seconds / 3600;
    parts[1] = (seconds % 3600) / 60;
    parts[2] = seconds % 60;
}

CChannelList& COptionsScheduleItemPage::ChannelList()
{
    return theTVSystem.GetScanMode() ? theTVSystem.GetTVChannels() : theTVSystem.GetFMChannels();
}

void COptionsScheduleItemPage::FillChannels()
{
    m_pChannel->RemoveAll();
    m_channelMap.clear();
    CChannelList& channels = ChannelList();
    for (int i = 0; i < channels.GetCount(); ++i) {
        CChannelEntry* entry = channels.GetAt(i);
        if (entry->GetFlags() & 4)
            continue;
        CString text;
        text.Format("%d.%s", i, (LPCTSTR)entry->GetName());
        m_pChannel->AddString(text);
        m_channelMap.push_back(i);
    }
    m_pChannel->SetCurSel(0);
}

void COptionsScheduleItemPage::ShowNumbers(COptionsNumber* const numbers[3], const int values[3])
{
    for (int i = 0; i < 3; ++i)
        numbers[i]->SetValue(values[i]);
}

void COptionsScheduleItemPage::Refresh()
{
    if (m_pChannel == NULL)
        return;
    FillChannels();
    m_pSave->SetCurSel(0);
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    if (EditedScheduleItem == NULL ||
        !Timing_GetItemTimingParam(EditedScheduleItem, &timing) ||
        !Timing_GetItemExcuteParam(EditedScheduleItem, &execute, sizeof(execute))) {
        int start[6];
        NewItemStart(Now(), start);
        ShowNumbers(m_date, start);
        ShowNumbers(m_time, start + 3);
        const int length[3] = {0, 50, 0};
        ShowNumbers(m_length, length);
        m_pShut->SetCurSel(1);
        return;
    }
    const int date[3] = {timing.year, timing.month, timing.day};
    const int clock[3] = {timing.hour, timing.minute, timing.second};
    int length[3];
    SplitLength(execute.length, length);
    ShowNumbers(m_date, date);
    ShowNumbers(m_time, clock);
    ShowNumbers(m_length, length);
    CChannelList& channels = ChannelList();
    for (int position = 0; position < (int)m_channelMap.size(); ++position) {
        if (channels.GetAt(m_channelMap[position])->GetFrequency() == execute.frequency) {
            m_pChannel->SetCurSel(position);
            break;
        }
    }
    m_pShut->SetCurSel(execute.shutDown == 1 ? 0 : 1);
}

void COptionsScheduleItemPage::Leave()
{
    EditedScheduleItem = NULL;
}

LRESULT COptionsScheduleItemPage::OnPageKey(UINT key, LPARAM)
{
    switch (m_nCurrentRow) {
    case kDateRow:
    case kTimeRow:
    case kLengthRow:
        return key == VK_UP || key == VK_DOWN ? 0 : -1;
    case kChannelRow:
    case kShutRow:
        return key == VK_LEFT || key == VK_RIGHT ? 0 : -1;
    case kSaveRow:
        if (key != VK_RETURN)
            return -1;
        if (m_pSave->GetCurSel() == 0)
            Save();
        if (COptionsDlg* host = dynamic_cast<COptionsDlg*>(GetParent()))
            host->GoToParentPage();
        return 0;
    default:
        return -1;
    }
}

void COptionsScheduleItemPage::Save()
{
    // Without a channel there is nothing to record; the list stays as it is.
    int position = m_pChannel->GetCurSel();
    if (m_pChannel->GetCount() == 0 || position < 0 || position >= (int)m_channelMap.size())
        return;
    int listIndex = m_channelMap[position];
    CChannelList& channels = ChannelList();
    if (listIndex >= channels.GetCount())
        return;
    _tagTimingParam timing = {};
    timing.year = m_date[0]->GetValue();
    timing.month = m_date[1]->GetValue();
    timing.day = m_date[2]->GetValue();
    timing.hour = m_time[0]->GetValue();
    timing.minute = m_time[1]->GetValue();
    timing.second = m_time[2]->GetValue();
    timing.length = m_length[0]->GetValue() * 3600 + m_length[1]->GetValue() * 60 + m_length[2]->GetValue();
    timing.oneTime = 1;
    _tagExcuteParam execute = {};
    execute.size = sizeof(execute);
    execute.length = timing.length;
    execute.source = 0;
    // The stored number is the entry's place in the list (counted from 1), so that number,
    // name and frequency name one channel even where the selector skips entries.
    execute.channel = listIndex + 1;
    execute.frequency = channels.GetAt(listIndex)->GetFrequency();
    execute.shutDown = m_pShut->GetCurSel() == 0 ? 1 : 0;

    HTIMINGITEM item = NULL;
    if (EditedScheduleItem != NULL) {
        _tagTimingParam editedTiming = {};
        _tagExcuteParam editedExecute = {};
        if (!Timing_GetItemTimingParam(EditedScheduleItem, &editedTiming) ||
            !Timing_GetItemExcuteParam(EditedScheduleItem, &editedExecute, sizeof(editedExecute)))
            return;
        for (HTIMINGITEM at = Timing_GetFirstItem(0); at != NULL; at = Timing_GetNextItem(0, at)) {
            _tagTimingParam t = {};
            _tagExcuteParam e = {};
            if (Timing_GetItemTimingParam(at, &t) && Timing_GetItemExcuteParam(at, &e, sizeof(e)) &&
                SameWords(&t, &editedTiming, sizeof(t)) && SameWords(&e, &editedExecute, sizeof(e))) {
                item = at;
                break;
            }
        }
        if (item == NULL)
            return;
    }
    int code = -1;
    Timing_CheckItem(0, item, timing, &code);
    switch (code) {
    case kTimingAcceptable:
        if (item == NULL)
            Timing_InsertItem(0, timing, &execute);
        else
            Timing_UpdateItem(item, timing, &execute);
        break;
    case kTimingPassed:
        MessageBox("时间已过期", "", MB_OK);
        break;
    case kTimingOverlapsStart:
    case kTimingOverlapsSpan: {
        CString text;
        text.LoadString(IDS_SCHEDULE_OVERLAP);
        MessageBox(text, "", MB_OK);
        break;
    }
    default:
        break;
    }
    if (item != NULL)
        EditedScheduleItem = NULL;
}
