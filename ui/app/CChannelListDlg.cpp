#include "CChannelListDlg.h"

#include "resource.h"

CChannelListDlg::CChannelListDlg(CWnd* pParent) : CDialog(IDD_CHANNEL_LIST, pParent)
{
}

BOOL CChannelListDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_page.SetFM(m_bFM);
    m_page.Create(IDD_CHANNEL_PAGE, this);
    m_page.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_page.ShowWindow(SW_SHOW);
    return TRUE;
}
