#include "COptionsVideoPage.h"

#include "CControlPanelDlg.h"
#include "COptionsRowParts.h"
#include "TVSystem.h"

COptionsVideoPage::COptionsVideoPage() : COptionsPage(kPageId)
{
}

COptionsSelector* COptionsVideoPage::GetSelector(int row) const
{
    return row >= 0 && row < kRows ? m_pSelectors[row] : NULL;
}

BOOL COptionsVideoPage::BuildRows()
{
    using namespace options_rows;
    for (int i = 0; i < kRows; ++i) {
        COptionsRow* row = NewRow(this, kPageId, LoadText(IDS_OPTIONS_VIDEO_ROWS + i), TRUE);
        if (row == NULL)
            return FALSE;
        if (i == kReduceRow)
            m_pReduce = AddBar(row, CRect(259, 10, 579, 45), kPageId, 0, 10);
        else if (i == kSizeRow)
            m_pSelectors[i] = AddSelector(row, CRect(259, 6, 515, 45), kSelectorId, IDS_OPTIONS_VIDEO_SIZES,
                                          IDS_OPTIONS_VIDEO_SIZES + 5);
        else
            m_pSelectors[i] = AddSelector(row, CRect(259, 6, 515, 45), kSelectorId, IDS_OPTIONS_YES, IDS_OPTIONS_NO);
        AddRow(row);
    }
    return TRUE;
}

void COptionsVideoPage::Refresh()
{
    // The yes/no items: 0 "是", 1 "否".
    const BOOL flags[kRows] = {FALSE, theTVSystem.GetHightQuality(), theTVSystem.GetNoiseReduce(),
                               theTVSystem.GetHalfRate(), FALSE, theTVSystem.GetEnableShut()};
    for (int i = 0; i < kRows; ++i) {
        if (m_pSelectors[i] == NULL)
            continue;
        m_pSelectors[i]->SetCurSel(i == kSizeRow ? theTVSystem.GetVideoSize() : flags[i] ? 0 : 1);
    }
    if (m_pReduce != NULL)
        m_pReduce->SetValue(theTVSystem.GetReduceValue());
}

LRESULT COptionsVideoPage::OnPageKey(UINT key, LPARAM)
{
    int row = GetCurrentRowIndex();
    if (row == kShutdownRow && key == VK_RETURN)
        return 2;  // the shutdown time page opens
    if ((key != VK_LEFT && key != VK_RIGHT) || row < 0 || row >= kRows)
        return -1;
    COptionsSelector* selector = m_pSelectors[row];
    BOOL yes = selector != NULL && selector->GetCurSel() == 0;
    switch (row) {
    case kSizeRow:
        if (selector == NULL)
            return -1;
        // The change restarts the capture; the device's sound would click meanwhile.
        theTVSystem.SetDeviceMute(TRUE);
        Pause(100);
        theTVSystem.SetCaptureSize(selector->GetCurSel());
        Pause(100);
        theTVSystem.SetDeviceMute(FALSE);
        return 0;
    case kQualityRow:
        theTVSystem.SetHightQuality(yes);
        return 0;
    case kNoiseRow:
        theTVSystem.SetNoiseReduce(yes);
        return 0;
    case kHalfRateRow:
        theTVSystem.SetHalfRate(yes);
        return 0;
    case kReduceRow:
        if (m_pReduce != NULL)
            theTVSystem.SetReduceValue(m_pReduce->GetValue());
        return 0;
    default:
        theTVSystem.SetEnableShut(yes);
        // The panel's clock follows the flag at once, as the shutdown page's does.
        if (theControlPanel.GetSafeHwnd() != NULL)
            theControlPanel.ArmShutdownClock(theTVSystem.GetShutTime(), yes);
        return -1;
    }
}
