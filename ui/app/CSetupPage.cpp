#include "CSetupPage.h"

BEGIN_MESSAGE_MAP(CSetupPage, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSetupPage::CSetupPage(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent)
{
}

BOOL CSetupPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CSetupPage::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CSetupPage::OnDestroy()
{
    if (m_bExchangeOnDestroy)
        UpdateData(TRUE);
    CWnd::OnDestroy();
}

void CSetupPage::PostNcDestroy()
{
    SaveSettings();
    CWnd::PostNcDestroy();
}
