#include "CScheduleItemDlg.h"

#include "CScheduleItemFormat.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

// The layout's source rows; FM is taken out at start, a schedule records pictures only.
const char* const kSourceRows[] = {"TV", "AV", "SV", "FM"};
const int kFmSourceRow = 3;
// Channel entries so marked are never offered for a recording.
const DWORD kHiddenChannelFlag = 0x4;
const LONG kPowerOnDaysAhead = 7;

// A time of day as the pickers hold it: the date is not looked at.
CTime TimeOfDay(int hour, int minute, int second)
{
    return CTime(2000, 1, 1, hour, minute, second);
}

} // namespace

BEGIN_MESSAGE_MAP(CScheduleItemDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_ITEM_SOURCE, OnSourceChange)
    ON_BN_CLICKED(IDC_ITEM_ONE_TIME, OnOneTime)
    ON_BN_CLICKED(IDC_ITEM_POWER_ON, OnPowerOn)
END_MESSAGE_MAP()

CScheduleItemDlg::CScheduleItemDlg(CWnd* pParent) : CDialog(IDD_SCHEDULE_ITEM, pParent)
{
    AfxInitCommonControls(ICC_DATE_CLASSES);
    m_timing = _tagTimingParam();
    m_execute = _tagExcuteParam();
}

void CScheduleItemDlg::SetRecords(const _tagTimingParam& timing, const _tagExcuteParam& execute)
{
    m_bEdit = TRUE;
    m_timing = timing;
    m_execute = execute;
}

void CScheduleItemDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ITEM_SOURCE, m_source);
    DDX_Control(pDX, IDC_ITEM_CHANNEL, m_channel);
    DDX_Control(pDX, IDC_ITEM_WEEKDAYS, m_weekdays);
    DDX_Check(pDX, IDC_ITEM_FROM_FAVORITES, m_bFromFavorites);
    DDX_Check(pDX, IDC_ITEM_ONE_TIME, m_bOneTime);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_DATE, m_date);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_START, m_start);
    DDX_DateTimeCtrl(pDX, IDC_ITEM_LENGTH, m_length);
    DDX_Check(pDX, IDC_ITEM_SHUT_DOWN, m_bShutDown);
    DDX_Check(pDX, IDC_ITEM_MUTE, m_bMute);
    DDX_Check(pDX, IDC_ITEM_POWER_ON, m_bPowerOn);
    DDX_Check(pDX, IDC_ITEM_WARN, m_bWarn);
    DDX_Text(pDX, IDC_ITEM_EARLY, m_nEarly);
    DDX_Text(pDX, IDC_ITEM_USER, m_user);
    DDX_Text(pDX, IDC_ITEM_PASSWORD, m_password);
}

CChannelList& CScheduleItemDlg::GetChannelList()
{
    return theTVSystem.GetScanMode() ? theTVSystem.GetTVChannels() : theTVSystem.GetFMChannels();
}

BOOL CScheduleItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const char* row : kSourceRows)
        m_source.AddString(row);
    m_source.DeleteString(kFmSourceRow);
    for (UINT id = IDS_SUNDAY; id <= IDS_SATURDAY; id++) {
        CString day;
        day.LoadString(id);
        m_weekdays.AddString(day);
    }
    for (UINT id : {IDC_ITEM_START, IDC_ITEM_LENGTH})
        ((CDateTimeCtrl*)GetDlgItem(id))->SetFormat("HH:mm:ss");
    FillChannels();

    if (m_bEdit)
        LoadRecords();
    else
        LoadNewDefaults();
    CString user = CTVSystem::ReadDefaultUserName();
    if (!user.IsEmpty()) {
        m_user = user;
        m_password = CTVSystem::ReadDefaultPassword();
    }
    UpdateData(FALSE);
    UpdateDateControls();
    UpdatePowerOnControls();
    return TRUE;
}

void CScheduleItemDlg::LoadNewDefaults()
{
    CTime start = CTime::GetCurrentTime() + CTimeSpan(0, 0, 1, 0);
    m_bOneTime = TRUE;
    m_date = start;
    m_start = start;
    m_length = TimeOfDay(0, 50, 0);
    int source = theTVSystem.GetVideoSource();
    m_source.SetCurSel(source >= 0 && source < kFmSourceRow ? source : 0);
    m_channel.EnableWindow(m_source.GetCurSel() == 0);
    SelectCurrentChannel();
    m_weekdays.SetCheck(start.GetDayOfWeek() - 1, TRUE);
    m_bShutDown = m_bMute = m_bPowerOn = FALSE;
    m_bWarn = TRUE;
    m_nEarly = 5;
}

void CScheduleItemDlg::LoadRecords()
{
    const _tagTimingParam& t = m_timing;
    m_bOneTime = t.oneTime != 0;
    // A date the pickers cannot show leaves today's.
    SYSTEMTIME date = {(WORD)t.year, (WORD)t.month, 0, (WORD)t.day, 0, 0, 0, 0};
    FILETIME unused;
    m_date = SystemTimeToFileTime(&date, &unused) ? CTime(t.year, t.month, t.day, 0, 0, 0)
                                                  : CTime::GetCurrentTime();
    m_start = TimeOfDay(t.hour % 24, t.minute % 60, t.second % 60);
    int length = m_execute.length;
    m_length = TimeOfDay(length / 3600 % 24, length / 60 % 60, length % 60);
    BOOL days[CScheduleItemFormat::kWeekdayRows];
    CScheduleItemFormat::RowsFromMask(t.weekdays, days);
    for (int row = 0; row < CScheduleItemFormat::kWeekdayRows; row++)
        m_weekdays.SetCheck(row, days[row]);

    int source = m_execute.source;
    m_source.SetCurSel(source >= 0 && source < kFmSourceRow ? source : 0);
    m_channel.EnableWindow(m_source.GetCurSel() == 0);
    int count = GetChannelList().GetCount();
    int row = m_execute.channel > count ? m_channel.GetCount() - 1 : FindChannelRow(m_execute.channel - 1);
    SelectChannelRow(row >= 0 ? row : 0);

    m_bShutDown = m_execute.shutDown != 0;
    m_bMute = m_execute.mute != 0;
    m_bPowerOn = m_execute.powerOn != 0;
    m_nEarly = m_execute.powerOnEarly;
    m_bWarn = theTVSystem.GetReportPowerOnErrors();
}

void CScheduleItemDlg::FillChannels()
{
    m_channel.ResetContent();
    CChannelList& list = GetChannelList();
    for (int i = 0; i < list.GetCount(); i++) {
        CChannelEntry* entry = list.GetAt(i);
        if (entry->HasFlag(kHiddenChannelFlag))
            continue;
        CString text;
        text.Format("%d.%s", i, (LPCTSTR)entry->GetName());
        int row = m_channel.AddString(text);
        m_channel.SetItemDataPtr(row, entry);
    }
}

// Hidden entries have no row, so a row's place is not its entry's place in the list.
int CScheduleItemDlg::FindChannelRow(int position)
{
    CChannelList& list = GetChannelList();
    for (int row = 0; row < m_channel.GetCount(); row++) {
        if (list.IndexOf((CChannelEntry*)m_channel.GetItemDataPtr(row)) == position)
            return row;
    }
    return -1;
}

void CScheduleItemDlg::SelectChannelRow(int row)
{
    m_channel.SetCurSel(row < m_channel.GetCount() ? row : -1);
}

void CScheduleItemDlg::SelectCurrentChannel()
{
    CChannelEntry* current = theTVSystem.GetCurrentChannel();
    int row = current != NULL ? FindChannelRow(GetChannelList().IndexOf(current)) : -1;
    SelectChannelRow(row >= 0 ? row : 0);
}

void CScheduleItemDlg::OnSourceChange()
{
    FillChannels();
    m_channel.EnableWindow(m_source.GetCurSel() == 0);
    SelectCurrentChannel();
}

void CScheduleItemDlg::OnOneTime()
{
    UpdateDateControls();
}

void CScheduleItemDlg::OnPowerOn()
{
    UpdatePowerOnControls();
}

void CScheduleItemDlg::UpdateDateControls()
{
    BOOL oneTime = ::IsDlgButtonChecked(m_hWnd, IDC_ITEM_ONE_TIME) == BST_CHECKED;
    GetDlgItem(IDC_ITEM_DATE)->EnableWindow(oneTime);
    GetDlgItem(IDC_ITEM_WEEKDAYS)->EnableWindow(!oneTime);
}

void CScheduleItemDlg::UpdatePowerOnControls()
{
    BOOL powerOn = ::IsDlgButtonChecked(m_hWnd, IDC_ITEM_POWER_ON) == BST_CHECKED;
    for (UINT id : {IDC_ITEM_EARLY, IDC_ITEM_USER, IDC_ITEM_PASSWORD})
        GetDlgItem(id)->EnableWindow(powerOn);
}

void CScheduleItemDlg::BuildRecords()
{
    int lengthSeconds = m_length.GetHour() * 3600 + m_length.GetMinute() * 60 + m_length.GetSecond();
    int sourceRow = m_source.GetCurSel();
    // Without a channel row (an empty list, or every entry hidden) the item names no channel.
    int channelRow = m_channel.GetCurSel();
    CChannelEntry* entry = channelRow >= 0 ? (CChannelEntry*)m_channel.GetItemDataPtr(channelRow) : NULL;

    _tagExcuteParam& e = m_execute;
    e = _tagExcuteParam();
    e.size = sizeof(_tagExcuteParam);
    e.length = lengthSeconds;
    e.source = sourceRow > 0 ? sourceRow : 0;
    e.channel = entry != NULL ? GetChannelList().IndexOf(entry) + 1 : 0;
    e.frequency = entry != NULL ? entry->GetFrequency() : 0;
    e.shutDown = m_bShutDown != 0;
    e.mute = m_bMute != 0;
    e.powerOn = m_bPowerOn != 0;
    e.powerOnEarly = m_bPowerOn ? m_nEarly : 0;

    BOOL days[CScheduleItemFormat::kWeekdayRows];
    for (int row = 0; row < CScheduleItemFormat::kWeekdayRows; row++)
        days[row] = m_weekdays.GetCheck(row);
    _tagTimingParam& t = m_timing;
    t = _tagTimingParam();
    t.year = m_date.GetYear();
    t.month = m_date.GetMonth();
    t.day = m_date.GetDay();
    t.hour = m_start.GetHour();
    t.minute = m_start.GetMinute();
    t.second = m_start.GetSecond();
    t.length = lengthSeconds;
    t.oneTime = m_bOneTime != 0;
    t.weekdays = m_bOneTime ? 0 : CScheduleItemFormat::MaskFromRows(days);
}

void CScheduleItemDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    BuildRecords();
    if (m_bPowerOn) {
        CTime start(m_timing.year, m_timing.month, m_timing.day, m_timing.hour, m_timing.minute, m_timing.second);
        if ((start - CTime::GetCurrentTime()).GetDays() > kPowerOnDaysAhead) {
            AfxMessageBox(IDS_POWER_ON_TOO_EARLY);
            return;
        }
        if (m_user.IsEmpty()) {
            AfxMessageBox(IDS_LOGON_USER_MISSING);
            return;
        }
        if (!StoreLogonAccount(m_user, m_password))
            AfxMessageBox(IDS_LOGON_FAILED);
    }
    theTVSystem.SetReportPowerOnErrors(m_bWarn);
    EndDialog(IDOK);
}

BOOL CScheduleItemDlg::StoreLogonAccount(const CString& user, const CString& password)
{
    return theTVSystem.SetLogonAccount(user, password);
}
