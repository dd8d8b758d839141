#include "CAudioFormatDlg.h"

#include "resource.h"

CAudioFormatDlg::CAudioFormatDlg(CWnd* pParent) : CDialog(IDD_AUDIO_FORMAT, pParent)
{
}

BOOL CAudioFormatDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_page.Create(IDD_AUDIO_CODEC_PAGE, this);
    m_page.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_page.ShowWindow(SW_SHOW);
    return TRUE;
}

void CAudioFormatDlg::OnOK()
{
    EndDialog(m_page.SaveFormats() ? IDOK : IDCANCEL);
}
