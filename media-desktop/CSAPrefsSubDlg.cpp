#include "CSAPrefsSubDlg.h"

#include "AutoComplete.h"
#include "CFileChooser.h"

#include <shlobj.h>
#include <shlwapi.h>

namespace {

// BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE.
const UINT kFolderChooserFlags = 73;
const char kProgramFilter[] = "Executable Files (*.exe)|*.exe|All Files (*.*)|*.*||";
const char kPictureFilter[] = "Image Files (*.bmp,*.jpg)|*.bmp;*.jpg||";

BOOL WantsReturns(HWND window)
{
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof(className));
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    return lstrcmpiA(className, "Edit") == 0 && (style & ES_MULTILINE) && (style & ES_WANTRETURN);
}

}  // namespace

CSAPrefsSubDlg::CSAPrefsSubDlg(UINT nIDTemplate) : CDialog(nIDTemplate)
{
}

CSAPrefsSubDlg::~CSAPrefsSubDlg() = default;

void CSAPrefsSubDlg::OnOK()
{
}

void CSAPrefsSubDlg::OnCancel()
{
}

BOOL CSAPrefsSubDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_hWnd && ::IsChild(m_hWnd, pMsg->hwnd)) {
        if (pMsg->wParam == VK_ESCAPE)
            return TRUE;
        HWND focus = ::GetFocus();
        if (pMsg->wParam == VK_RETURN && focus && ::IsChild(m_hWnd, focus) && WantsReturns(focus)) {
            ::SendMessageA(focus, WM_CHAR, VK_RETURN, pMsg->lParam);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CSAPrefsSubDlg::TakeChoice(int nIDC, CString& member, LPCTSTR chosen)
{
    member = chosen;
    ::SetDlgItemTextA(m_hWnd, nIDC, chosen);
}

void CSAPrefsSubDlg::ChooseFolder(int nIDC, CString& folder, UINT titleId)
{
    CString title;
    title.LoadString(titleId);
    char current[MAX_PATH] = "";
    ::GetDlgItemTextA(m_hWnd, nIDC, current, MAX_PATH);
    CFileChooser chooser(TRUE, NULL, NULL, 0, m_hWnd);
    if (chooser.BrowseForFolder(title, current, kFolderChooserFlags, m_hWnd) == 1)
        TakeChoice(nIDC, folder, chooser.GetPath());
}

void CSAPrefsSubDlg::ChooseFile(int nIDC, CString& path, LPCTSTR defaultExtension,
                                LPCTSTR filter)
{
    CFileDialog dialog(TRUE, defaultExtension, NULL, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, filter,
                       this);
    if (dialog.DoModal() == IDOK)
        TakeChoice(nIDC, path, dialog.GetPathName());
}

void CSAPrefsSubDlg::ChooseProgram(int nIDC, CString& path, LPCTSTR defaultExtension)
{
    ChooseFile(nIDC, path, defaultExtension, kProgramFilter);
}

void CSAPrefsSubDlg::ChoosePicture(int nIDC, CString& path)
{
    // The pictures' chooser has always defaulted to "exe" as well.
    ChooseFile(nIDC, path, "exe", kPictureFilter);
}

void CSAPrefsSubDlg::CompleteFolders(int nIDC)
{
    EnableAutoComplete(::GetDlgItem(m_hWnd, nIDC), SHACF_FILESYS_DIRS);
}

void CSAPrefsSubDlg::CompleteFiles(int nIDC)
{
    EnableAutoComplete(::GetDlgItem(m_hWnd, nIDC), SHACF_FILESYS_ONLY);
}
