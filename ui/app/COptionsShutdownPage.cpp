#include "COptionsShutdownPage.h"

#include "CControlPanelDlg.h"
#include "COptionsDlg.h"
#include "COptionsNumber.h"
#include "COptionsScheduleItemPage.h"
#include "COptionsSelector.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const UINT kId = 45000;
const int kDateRanges[6] = {2003, 2100, 1, 12, 1, 31};
const int kTimeRanges[6] = {0, 23, 0, 59, 0, 59};

} // namespace

COptionsShutdownPage::COptionsShutdownPage() : COptionsPage(kId), m_shutTime(CTime::GetCurrentTime())
{
}

BOOL COptionsShutdownPage::BuildRows()
{
    COptionsScheduleItemPage::AddNumberRow(this, kId, IDS_OPTIONS_SHUT_ROW + kDateRow,
                                           IDS_OPTIONS_DATE_SEPARATOR, 324, 349, kDateRanges, m_date);
    COptionsScheduleItemPage::AddNumberRow(this, kId, IDS_OPTIONS_SHUT_ROW + kTimeRow,
                                           IDS_OPTIONS_TIME_SEPARATOR, 324, 349, kTimeRanges, m_time);
    const UINT yesNo[] = {IDS_OPTIONS_YES, IDS_OPTIONS_NO};
    m_pSave = COptionsScheduleItemPage::AddSelectorRow(this, kId, IDS_OPTIONS_SHUT_ROW + kSaveRow,
                                                       CRect(249, 6, 440, 45), yesNo, 2);
    return TRUE;
}

void COptionsShutdownPage::Refresh()
{
    if (m_pSave == NULL)
        return;
    CTime now = CTime::GetCurrentTime();
    const int values[6] = {now.GetYear(), now.GetMonth(), now.GetDay(),
                           now.GetHour(), now.GetMinute(), now.GetSecond()};
    for (int i = 0; i < 3; ++i) {
        m_date[i]->SetValue(values[i]);
        m_time[i]->SetValue(values[3 + i]);
    }
}

LRESULT COptionsShutdownPage::OnPageKey(UINT key, LPARAM)
{
    if (m_nCurrentRow != kSaveRow || key != VK_RETURN)
        return -1;
    if (m_pSave->GetCurSel() == 0) {
        m_shutTime = CTime(m_date[0]->GetValue(), m_date[1]->GetValue(), m_date[2]->GetValue(),
                           m_time[0]->GetValue(), m_time[1]->GetValue(), m_time[2]->GetValue());
        theTVSystem.SetShutTime(m_shutTime);
        theTVSystem.SetEnableShut(TRUE);
        theControlPanel.ArmShutdownClock(m_shutTime, TRUE);
    } else {
        theTVSystem.SetEnableShut(FALSE);
        // Switched off means no shutdown: the clock armed before must not fire either.
        theControlPanel.ArmShutdownClock(theTVSystem.GetShutTime(), FALSE);
    }
    if (COptionsDlg* host = dynamic_cast<COptionsDlg*>(GetParent()))
        host->GoToParentPage();
    return 0;
}
