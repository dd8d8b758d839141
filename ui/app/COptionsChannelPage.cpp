#include "COptionsChannelPage.h"

#include "CControlPanelDlg.h"
#include "COptionsRowParts.h"
#include "COptionsSlider.h"
#include "ChannelEntry.h"
#include "TVSystem.h"

COptionsChannelPage::COptionsChannelPage() : COptionsPage(kPageId)
{
}

COptionsSelector* COptionsChannelPage::GetSelector(int row) const
{
    switch (row) {
    case kDeleteRow: return m_pDelete;
    case kFavoriteRow: return m_pFavorite;
    case kUseFavorRow: return m_pUseFavor;
    default: return NULL;
    }
}

BOOL COptionsChannelPage::BuildRows()
{
    using namespace options_rows;
    for (int i = 0; i < kRows; ++i) {
        COptionsRow* row = NewRow(this, kPageId, LoadText(IDS_OPTIONS_CHANNEL_ROWS + i));
        if (row == NULL)
            return FALSE;
        switch (i) {
        case kScanRow: {
            COptionsLabel* label = new COptionsLabel;
            label->Create(CRect(180, 0, 579, 45), row, kPageId, LoadText(IDS_OPTIONS_SCAN_LABEL));
            row->AddCell(label);
            break;
        }
        case kFineTuneRow:
            m_pSlider = new COptionsSlider;
            m_pSlider->Create(CRect(253, 10, 599, 45), row, kPageId);
            m_pSlider->SetBitmaps(IDB_OPTIONS_TRACK, IDB_OPTIONS_THUMB);
            row->AddCell(m_pSlider);
            break;
        case kDeleteRow:
            m_pDelete = AddSelector(row, CRect(253, 6, 510, 45), kPageId, IDS_OPTIONS_CONFIRM, IDS_OPTIONS_CANCEL);
            break;
        case kFavoriteRow:
            m_pFavorite = AddSelector(row, CRect(253, 6, 510, 45), kPageId, IDS_OPTIONS_CONFIRM, IDS_OPTIONS_CANCEL);
            m_pFavorite->SetCurSel(1);
            break;
        case kUseFavorRow:
            m_pUseFavor = AddSelector(row, CRect(253, 6, 510, 45), kPageId, IDS_OPTIONS_USE_FAVOR,
                                      IDS_OPTIONS_ALL_CHANNELS);
            break;
        }
        AddRow(row);
    }
    return TRUE;
}

void COptionsChannelPage::Refresh()
{
    // Without a channel the slider keeps the range it had.
    if (CChannelEntry* channel = theTVSystem.GetCurrentChannel()) {
        if (m_pSlider != NULL) {
            int frequency = channel->GetFrequency();
            m_pSlider->SetRange(frequency - kFineTuneReach, frequency + kFineTuneReach);
            m_pSlider->SetStep(kFineTuneStep);
            m_pSlider->SetValue(frequency);
        }
    }
    // Items: 0 "确定" / "使用喜好频道", 1 "取消" / "不用喜好频道".
    if (m_pDelete != NULL)
        m_pDelete->SetCurSel(1);
    if (m_pFavorite != NULL)
        m_pFavorite->SetCurSel(theTVSystem.IsCurrentChannelFavorite() ? 0 : 1);
    if (m_pUseFavor != NULL)
        m_pUseFavor->SetCurSel(theTVSystem.GetUseFavor() ? 0 : 1);
}

BOOL COptionsChannelPage::ScanButtonEnabled() const
{
    return theControlPanel.GetSafeHwnd() != NULL && theControlPanel.IsItemEnabled(IDC_SEARCH);
}

LRESULT COptionsChannelPage::OnPageKey(UINT key, LPARAM)
{
    int row = GetCurrentRowIndex();
    if (!ScanButtonEnabled() || row >= kRows)
        return -1;
    BOOL sideways = key == VK_LEFT || key == VK_RIGHT;
    switch (row) {
    case kScanRow:
        if (key != VK_RETURN)
            return -1;
        if (!theTVSystem.IsScanning())
            theTVSystem.StartScan(1);
        else
            theTVSystem.StopScan();
        // Either way the scan progress page opens.
        return 2;
    case kFineTuneRow:
        if (!sideways)
            return -1;
        // Tuned for now only: the channel list keeps the stored frequency.
        if (theTVSystem.GetCurrentChannel() != NULL && m_pSlider != NULL)
            theTVSystem.GetGraph().SetFrequency((DWORD)m_pSlider->GetValue());
        return 0;
    case kDeleteRow:
        if (key != VK_RETURN)
            return -1;
        if (m_pDelete != NULL && m_pDelete->GetCurSel() == 0) {
            theTVSystem.DeleteCurrentChannel();
            // The rows follow the channel tuned in its place.
            Refresh();
        }
        return 0;
    case kFavoriteRow:
        if (!sideways)
            return -1;
        if (m_pFavorite != NULL)
            theTVSystem.SetChannelFavorite(m_pFavorite->GetCurSel() == 0);
        return 0;
    default:
        if (!sideways)
            return -1;
        if (m_pUseFavor != NULL)
            theTVSystem.SetTVUseFavor(m_pUseFavor->GetCurSel() == 0);
        return 0;
    }
}
