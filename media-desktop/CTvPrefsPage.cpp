#include "CTvPrefsPage.h"

namespace {

enum { kProgramId = 1010, kChooseProgramId = 1011 };

}  // namespace

BEGIN_MESSAGE_MAP(CTvPrefsPage, CSAPrefsSubDlg)
    ON_BN_CLICKED(kChooseProgramId, OnChooseProgram)
END_MESSAGE_MAP()

CTvPrefsPage::CTvPrefsPage() : CSAPrefsSubDlg(IDD)
{
}

void CTvPrefsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kProgramId, m_tvProgramPath);
    DDV_MaxChars(pDX, m_tvProgramPath, 255);
}

BOOL CTvPrefsPage::OnInitDialog()
{
    CSAPrefsSubDlg::OnInitDialog();
    CompleteFiles(kProgramId);
    return TRUE;
}

void CTvPrefsPage::OnChooseProgram()
{
    // This page's chooser has always defaulted to "txt".
    ChooseProgram(kProgramId, m_tvProgramPath, "txt");
}
