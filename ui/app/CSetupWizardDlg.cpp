#include "CSetupWizardDlg.h"

#include <htmlhelp.h>

#include "CRecordFormatPage.h"
#include "CRegionPage.h"
#include "TVSystem.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CSetupWizardDlg, CDialog)
    ON_BN_CLICKED(IDC_WZ_BACK, OnBack)
    ON_BN_CLICKED(IDC_WZ_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WZ_CANCEL, OnQuit)
    ON_BN_CLICKED(IDC_WZ_HELP, OnHelp)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSetupWizardDlg::CSetupWizardDlg(CWnd* pParent) : CDialog(IDD_SETUP_WIZARD, pParent)
{
}

BOOL CSetupWizardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect window, area;
    GetWindowRect(&window);
    GetDlgItem(IDC_WZ_PAGE_AREA)->GetWindowRect(&area);
    area.OffsetRect(-window.left, -window.top);
    area.OffsetRect(-2 * ::GetSystemMetrics(SM_CXEDGE),
                    -(::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYEDGE)));
    m_pageArea = area;

    AddPage(new CRegionPage, IDD_REGION_PAGE);
    AddPage(new CRecordFormatPage, IDD_RECORD_FORMAT_PAGE);
    ShowPage(1);
    return TRUE;
}

void CSetupWizardDlg::AddPage(CDialog* page, UINT id)
{
    page->Create(id, this);
    page->ShowWindow(SW_HIDE);
    page->MoveWindow(m_pageArea.left, m_pageArea.top, m_pageArea.Width(), m_pageArea.Height());
    PageRecord* record = new PageRecord{++m_pages, page, NULL};
    PageRecord** end = &m_first;
    while (*end != NULL)
        end = &(*end)->next;
    *end = record;
}

CDialog* CSetupWizardDlg::GetPage(int number) const
{
    for (PageRecord* record = m_first; record != NULL; record = record->next)
        if (record->number == number)
            return record->page;
    return NULL;
}

void CSetupWizardDlg::ShowPage(int number)
{
    for (PageRecord* record = m_first; record != NULL; record = record->next)
        record->page->ShowWindow(record->number == number ? SW_SHOW : SW_HIDE);
    m_current = number;
    for (UINT id : {IDC_WZ_CANCEL, IDC_WZ_BACK, IDC_WZ_NEXT})
        GetDlgItem(id)->EnableWindow(TRUE);
    CString text;
    if (number >= m_pages) {
        m_current = m_pages;
        text.LoadString(IDS_WIZARD_FINISH);
        SetDlgItemText(IDC_WZ_NEXT, text);
    }
    if (number <= 1) {
        m_current = 1;
        GetDlgItem(IDC_WZ_BACK)->EnableWindow(FALSE);
        text.LoadString(IDS_WIZARD_NEXT);
        SetDlgItemText(IDC_WZ_NEXT, text);
    }
}

void CSetupWizardDlg::OnBack()
{
    ShowPage(m_current - 1);
}

void CSetupWizardDlg::OnNext()
{
    if (m_current >= m_pages)
        EndDialog(IDOK);
    else
        ShowPage(m_current + 1);
}

void CSetupWizardDlg::OnQuit()
{
    OnCancel();
}

void CSetupWizardDlg::OnCancel()
{
    if (AfxMessageBox(IDS_WIZARD_QUIT, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDCANCEL)
        EndDialog(IDCANCEL);
}

void CSetupWizardDlg::OnHelp()
{
    CString file = theTVSystem.GetAppDir() + "\\Kavex.chm";
    if (::HtmlHelpA(::GetDesktopWindow(), file, HH_DISPLAY_TOPIC, 0) == NULL)
        AfxMessageBox(IDS_HELP_FAILED);
}

void CSetupWizardDlg::OnDestroy()
{
    // Each page stores its values as its window goes.
    while (m_first != NULL) {
        PageRecord* record = m_first;
        m_first = record->next;
        record->page->DestroyWindow();
        delete record->page;
        delete record;
    }
    CDialog::OnDestroy();
}
