#include "CAboutDlg.h"

#include "CTVVideoWnd.h"
#include "resource.h"

const char CAboutDlg::kWebAddress[] = "http://www.quorvex.example";
const char CAboutDlg::kMailAddress[] = "support@quorvex.example";

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_UPDATE, OnUpdate)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIL_LINK, m_mailLink);
    DDX_Control(pDX, IDC_WEB_LINK, m_webLink);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_webLink.SetURL(kWebAddress);
    m_mailLink.SetURL(CString("mailto:") + kMailAddress);
    return TRUE;
}

void CAboutDlg::OnUpdate()
{
    theVideoWnd.LaunchUpdater();
}
