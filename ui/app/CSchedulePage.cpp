#include "CSchedulePage.h"

#include "CControlPanelDlg.h"
#include "CScheduleItemDlg.h"
#include "CScheduleItemFormat.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const char kTimePassedText[] = "时间已过期";

struct Records
{
    _tagTimingParam timing;
    _tagExcuteParam execute;
};

BOOL ReadRecords(HTIMINGITEM item, Records& records)
{
    records = Records();
    return Timing_GetItemTimingParam(item, &records.timing) &&
           Timing_GetItemExcuteParam(item, &records.execute, sizeof(records.execute));
}

} // namespace

BEGIN_MESSAGE_MAP(CSchedulePage, CSetupPage)
    ON_BN_CLICKED(IDC_SCHEDULE_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SCHEDULE_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_SCHEDULE_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ENABLE_SHUT, OnEnableShut)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_SHUT_TIME, OnShutTimeChange)
    ON_NOTIFY(NM_DBLCLK, IDC_SCHEDULE_VIEW, OnDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_SCHEDULE_VIEW, OnListKeyDown)
END_MESSAGE_MAP()

CSchedulePage::CSchedulePage(CWnd* pParent) : CSetupPage(IDD_SCHEDULE_PAGE, pParent)
{
    AfxInitCommonControls(ICC_DATE_CLASSES);
}

void CSchedulePage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SCHEDULE_VIEW, m_list);
    DDX_Check(pDX, IDC_ENABLE_SHUT, m_bEnableShut);
    DDX_DateTimeCtrl(pDX, IDC_SHUT_TIME, m_shutTime);
}

CChannelList& CSchedulePage::GetChannelList()
{
    return theTVSystem.GetScanMode() ? theTVSystem.GetTVChannels() : theTVSystem.GetFMChannels();
}

void CSchedulePage::LoadSettings()
{
    m_bEnableShut = theTVSystem.GetEnableShut();
    m_shutTime = theTVSystem.GetShutTime();
}

BOOL CSchedulePage::SaveSettings()
{
    theTVSystem.SetEnableShut(m_bEnableShut);
    theTVSystem.SetShutTime(m_shutTime);
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.ArmShutdownClock(m_shutTime, m_bEnableShut);
    return TRUE;
}

BOOL CSchedulePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    ((CDateTimeCtrl*)GetDlgItem(IDC_SHUT_TIME))->SetFormat("HH:mm:ss");
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT |
                            LVS_EX_FLATSB);
    const struct { UINT text; int width; } columns[] = {
        {IDS_COLUMN_START_DATE, 110}, {IDS_COLUMN_START_TIME, 80}, {IDS_COLUMN_LENGTH, 80},
        {IDS_COLUMN_CHANNEL, 60}, {IDS_COLUMN_SOURCE, 60}};
    for (int i = 0; i < CScheduleItemFormat::kColumnCount; i++) {
        CString text;
        text.LoadString(columns[i].text);
        m_list.InsertColumn(i, text, LVCFMT_LEFT, columns[i].width);
    }
    FillList();
    UpdateData(FALSE);
    return TRUE;
}

// Items whose time has passed leave the library as the page opens.
void CSchedulePage::FillList()
{
    m_list.DeleteAllItems();
    HTIMINGITEM item = Timing_GetFirstItem(0);
    while (item != NULL) {
        HTIMINGITEM next = Timing_GetNextItem(0, item);
        Records records;
        if (ReadRecords(item, records)) {
            if (CheckTime(NULL, records.timing) == kTimingPassed)
                Timing_RemoveItem(item);
            else
                AppendRow(records.timing, records.execute);
        }
        item = next;
    }
}

void CSchedulePage::AppendRow(const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    CString texts[CScheduleItemFormat::kColumnCount];
    CScheduleItemFormat::GetRowTexts(timing, execute, GetChannelList(), texts);
    int row = m_list.InsertItem(m_list.GetItemCount(), texts[0]);
    for (int column = 1; column < CScheduleItemFormat::kColumnCount; column++)
        m_list.SetItemText(row, column, texts[column]);
}

HTIMINGITEM CSchedulePage::FindRowItem(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return NULL;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item)) {
        Records records;
        if (!ReadRecords(item, records))
            continue;
        CString texts[CScheduleItemFormat::kColumnCount];
        CScheduleItemFormat::GetRowTexts(records.timing, records.execute, GetChannelList(), texts);
        BOOL same = TRUE;
        for (int column = 0; column < CScheduleItemFormat::kColumnCount && same; column++)
            same = texts[column] == m_list.GetItemText(row, column);
        if (same)
            return item;
    }
    return NULL;
}

int CSchedulePage::GetSelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

void CSchedulePage::SelectRow(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_list.EnsureVisible(row, FALSE);
}

int CSchedulePage::CheckTime(HTIMINGITEM excluded, const _tagTimingParam& timing)
{
    int code = -1;
    if (!Timing_CheckItem(0, excluded, timing, &code))
        return -1;
    return code;
}

void CSchedulePage::ShowCheckFailure(int code)
{
    if (code == kTimingPassed)
        MessageBox(kTimePassedText);
    else if (code == kTimingOverlapsStart || code == kTimingOverlapsSpan)
        AfxMessageBox(IDS_SCHEDULE_OVERLAP);
}

INT_PTR CSchedulePage::RunItemDialog(CScheduleItemDlg& dialog)
{
    return dialog.DoModal();
}

void CSchedulePage::OnAdd()
{
    AddItem();
}

void CSchedulePage::AddItem()
{
    CScheduleItemDlg dialog(this);
    if (RunItemDialog(dialog) != IDOK)
        return;
    int code = CheckTime(NULL, dialog.GetTiming());
    if (code != kTimingAcceptable) {
        ShowCheckFailure(code);
        return;
    }
    // The row shows only an item the library has taken.
    if (Timing_InsertItem(0, dialog.GetTiming(), &dialog.GetExecute()) != NULL)
        AppendRow(dialog.GetTiming(), dialog.GetExecute());
}

void CSchedulePage::OnEdit()
{
    EditItem();
}

void CSchedulePage::EditItem()
{
    int row = GetSelectedRow();
    HTIMINGITEM item = FindRowItem(row);
    Records records;
    if (item == NULL || !ReadRecords(item, records))
        return;
    CScheduleItemDlg dialog(this);
    dialog.SetRecords(records.timing, records.execute);
    if (RunItemDialog(dialog) != IDOK)
        return;
    int code = CheckTime(item, dialog.GetTiming());
    if (code != kTimingAcceptable) {
        ShowCheckFailure(code);
        return;
    }
    if (!Timing_UpdateItem(item, dialog.GetTiming(), &dialog.GetExecute()))
        return;
    m_list.DeleteItem(row);
    AppendRow(dialog.GetTiming(), dialog.GetExecute());
    SelectRow(m_list.GetItemCount() - 1);
}

void CSchedulePage::OnDelete()
{
    DeleteItem();
}

void CSchedulePage::DeleteItem()
{
    int row = GetSelectedRow();
    HTIMINGITEM item = FindRowItem(row);
    if (item == NULL)
        return;
    Timing_RemoveItem(item);
    m_list.DeleteItem(row);
    if (m_list.GetItemCount() > 0)
        SelectRow(0);
}

void CSchedulePage::OnEnableShut()
{
    UpdateData(TRUE);
}

void CSchedulePage::OnShutTimeChange(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    UpdateData(TRUE);
}

void CSchedulePage::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    EditItem();
}

void CSchedulePage::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (((NMLVKEYDOWN*)pNMHDR)->wVKey == VK_DELETE)
        DeleteItem();
}
