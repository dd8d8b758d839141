#include "CMediaPrefsPage.h"

CMediaPrefsPage::CMediaPrefsPage(UINT nIDTemplate, const Controls& controls)
    : CSAPrefsSubDlg(nIDTemplate), m_controls(controls)
{
}

void CMediaPrefsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, m_controls.folder, m_folder);
    DDV_MaxChars(pDX, m_folder, 255);
    DDX_Text(pDX, m_controls.player, m_player);
    DDV_MaxChars(pDX, m_player, 255);
    DDX_Text(pDX, m_controls.background, m_background);
    DDV_MaxChars(pDX, m_background, 255);
    DDX_Text(pDX, m_controls.types, m_types);
    DDV_MaxChars(pDX, m_types, 256);
}

BOOL CMediaPrefsPage::OnInitDialog()
{
    CSAPrefsSubDlg::OnInitDialog();
    CompleteFolders(m_controls.folder);
    CompleteFiles(m_controls.player);
    CompleteFiles(m_controls.background);
    return TRUE;
}

BOOL CMediaPrefsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        const int id = LOWORD(wParam);
        if (id == m_controls.chooseFolder) {
            ChooseFolder(m_controls.folder, m_folder, m_controls.folderTitle);
            return TRUE;
        }
        if (id == m_controls.chooseProgram) {
            ChooseProgram(m_controls.player, m_player);
            return TRUE;
        }
        if (id == m_controls.choosePicture) {
            ChoosePicture(m_controls.background, m_background);
            return TRUE;
        }
    }
    return CSAPrefsSubDlg::OnCommand(wParam, lParam);
}
