#include "CProgramItemDlg.h"

#include <afxdlgs.h>

#include "KeyMapFile.h"

namespace {

const char kKeyTableExtension[] = ".dat";

CString ItemText(const CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItem(id)->GetWindowText(text);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CProgramItemDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_PRESET_COMBO, OnPresetSelChange)
    ON_BN_CLICKED(IDC_BROWSE_PROGRAM, OnBrowse)
END_MESSAGE_MAP()

CProgramItemDlg::CProgramItemDlg(const ProgramPresetList& presets, const CProgramList& programs,
                                 int entry, CWnd* pParent)
    : CDialog(IDD, pParent),
      m_mode(kModeAdd),
      m_presets(presets),
      m_programs(programs),
      m_entry(entry)
{
}

BOOL CProgramItemDlg::IsValidName(const CString& name)
{
    return name.FindOneOf("/\\|?<>*\":;") < 0;
}

BOOL CProgramItemDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UINT modeText = m_mode == kModeModify   ? IDS_MODIFY_PROGRAM
                    : m_mode == kModeDelete ? IDS_DELETE_PROGRAM
                                            : IDS_ADD_PROGRAM;
    CString caption;
    caption.LoadString(modeText);
    SetWindowText(caption);

    m_presetCombo.SubclassDlgItem(IDC_PRESET_COMBO, this);
    CString newProgram;
    newProgram.LoadString(IDS_NEW_PROGRAM);
    m_presetCombo.AddString(newProgram);
    for (int i = 0; i < m_presets.GetCount(); ++i)
        m_presetCombo.AddString(m_presets.GetAt(i).displayName);
    SetDlgItemText(IDC_DISPLAY_NAME, m_displayName);
    SetDlgItemText(IDC_PROGRAM_PATH, m_applicationFile);
    m_presetCombo.SetCurSel(0);

    m_presetCombo.EnableWindow(m_mode == kModeAdd);
    if (m_mode == kModeDelete) {
        GetDlgItem(IDC_DISPLAY_NAME)->EnableWindow(FALSE);
        GetDlgItem(IDC_PROGRAM_PATH)->EnableWindow(FALSE);
        GetDlgItem(IDC_BROWSE_PROGRAM)->EnableWindow(FALSE);
    }
    return TRUE;
}

void CProgramItemDlg::OnPresetSelChange()
{
    int selected = m_presetCombo.GetCurSel();
    if (selected < 0)
        return;
    CString text;
    m_presetCombo.GetLBText(selected, text);
    SetDlgItemText(IDC_DISPLAY_NAME, text);
}

void CProgramItemDlg::OnBrowse()
{
    CString filter;
    filter.LoadString(IDS_EXE_FILTER);
    CFileDialog dialog(TRUE, "EXE", "*.exe", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
    if (dialog.DoModal() == IDOK)
        SetDlgItemText(IDC_PROGRAM_PATH, dialog.GetPathName());
}

BOOL CProgramItemDlg::IsFileTaken(const CString& file) const
{
    if (file.CompareNoCase(kDefaultKeyMapFile) == 0
        || file.CompareNoCase(m_programs.GetDefaultFileName()) == 0)
        return TRUE;
    for (int i = 0; i < m_programs.GetCount(); ++i) {
        if (i != m_entry && file.CompareNoCase(m_programs.GetAt(i).keyTableFile) == 0)
            return TRUE;
    }
    return FALSE;
}

void CProgramItemDlg::Refuse(UINT message, UINT focus)
{
    if (focus != 0)
        GetDlgItem(focus)->SetFocus();
    CString text;
    text.LoadString(message);
    AfxMessageBox(text);
}

void CProgramItemDlg::OnOK()
{
    m_displayName = ItemText(this, IDC_DISPLAY_NAME);
    m_applicationFile = ItemText(this, IDC_PROGRAM_PATH);
    int selected = m_presetCombo.GetCurSel();
    if (selected <= 0) {
        m_keyTableFile = m_displayName + kKeyTableExtension;
    } else {
        CString text;
        m_presetCombo.GetLBText(selected, text);
        m_keyTableFile.Empty();
        for (int i = 0; i < m_presets.GetCount(); ++i) {
            if (m_presets.GetAt(i).displayName == text) {
                m_keyTableFile = m_presets.GetAt(i).keyTableFile;
                break;
            }
        }
    }

    if (m_mode != kModeDelete) {
        if (m_displayName.IsEmpty()) {
            Refuse(IDS_NAME_EMPTY, IDC_DISPLAY_NAME);
            return;
        }
        // A new entry may not take the file of the default key map or of another entry: the
        // tables have other formats, and deleting one entry would take the other's table.
        // A changed entry keeps its own file.
        if (!IsValidName(m_displayName)
            || (m_mode == kModeAdd && IsFileTaken(m_keyTableFile))) {
            Refuse(IDS_NAME_INVALID, 0);
            return;
        }
        if (m_applicationFile.IsEmpty()) {
            Refuse(IDS_FILE_EMPTY, IDC_PROGRAM_PATH);
            return;
        }
    }
    EndDialog(IDOK);
}
