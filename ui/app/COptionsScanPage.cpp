#include "COptionsScanPage.h"

#include "COptionsDlg.h"
#include "COptionsRowParts.h"
#include "TVSystem.h"

COptionsScanPage::COptionsScanPage() : COptionsPage(kPageId)
{
}

BOOL COptionsScanPage::BuildRows()
{
    COptionsRow* row = options_rows::NewRow(this, kPageId, options_rows::LoadText(IDS_STOP_SCAN));
    if (row == NULL)
        return FALSE;
    m_pBar = options_rows::AddBar(row, CRect(289, 10, 579, 45), kPageId, 0, 100);
    // The bar only shows the scan.
    m_pBar->SetKeyHandling(FALSE);
    AddRow(row);
    return TRUE;
}

void COptionsScanPage::Refresh()
{
    SetCaption(options_rows::LoadText(IDS_START_SCAN));
}

LRESULT COptionsScanPage::OnPageKey(UINT key, LPARAM)
{
    if (key != VK_RETURN)
        return -1;
    theTVSystem.StopScan();
    LeaveToParent();
    return 0;
}

void COptionsScanPage::OnScanProgress(int from, int to, int position)
{
    if (m_pBar != NULL) {
        m_pBar->SetRange(from, to);
        m_pBar->SetValue(position);
    }
    if (position == to)
        LeaveToParent();
}

void COptionsScanPage::LeaveToParent()
{
    COptionsDlg* host = dynamic_cast<COptionsDlg*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    if (host != NULL && host->GetCurrentPage() == this)
        host->GoToParentPage();
}
