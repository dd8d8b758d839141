#include "CKeySettingDlg.h"

#include <afxdlgs.h>

#include "SpecialKeyTable.h"

namespace {

// The record's texts keep their terminator within the field.
const int kTextLimit = KeyMapRecord::kTextSize - 1;

CString ItemText(const CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItem(id)->GetWindowText(text);
    return text;
}

BOOL IsChecked(const CWnd* dialog, int id)
{
    return ::SendMessageA(dialog->GetDlgItem(id)->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetCheck(CWnd* dialog, int id, BOOL checked)
{
    ::SendMessageA(dialog->GetDlgItem(id)->m_hWnd, BM_SETCHECK,
                   checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CopyText(char (&field)[KeyMapRecord::kTextSize], const CString& text)
{
    memset(field, 0, sizeof(field));
    lstrcpynA(field, text, sizeof(field));
}

// A field read from a file need not end within itself.
CString FieldText(const char (&field)[KeyMapRecord::kTextSize])
{
    return CString(field, (int)strnlen(field, sizeof(field)));
}

} // namespace

BEGIN_MESSAGE_MAP(CKeySettingDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_KEY_COMBO, OnKeySelChange)
    ON_BN_CLICKED(IDC_MODE_KEYSTROKE, OnModeKeystroke)
    ON_BN_CLICKED(IDC_MODE_RUN, OnModeRun)
    ON_BN_CLICKED(IDC_CTRL, OnEdited)
    ON_BN_CLICKED(IDC_ALT, OnEdited)
    ON_BN_CLICKED(IDC_SHIFT, OnEdited)
    ON_CBN_SELCHANGE(IDC_SPECIAL_KEY, OnEdited)
    ON_EN_CHANGE(IDC_CHARACTER, OnEdited)
    ON_EN_CHANGE(IDC_COMMAND_PATH, OnEdited)
    ON_EN_CHANGE(IDC_COMMAND_PARAMS, OnEdited)
    ON_BN_CLICKED(IDC_BROWSE_COMMAND, OnBrowse)
    ON_BN_CLICKED(IDC_KEY_APPLY, OnApply)
END_MESSAGE_MAP()

CKeySettingDlg::CKeySettingDlg(KeySettingStore* store, const RemoteKeyNameList& keyNames,
                               CWnd* pParent)
    : CDialog(IDD, pParent),
      m_initialPosition(0),
      m_addMode(TRUE),
      m_commandMode(FALSE),
      m_store(store),
      m_keyNames(keyNames),
      m_showing(FALSE)
{
}

void CKeySettingDlg::SetWorkingList(const CKeyMapFile& map)
{
    m_records.clear();
    for (int i = 0; i < map.GetCount(); ++i)
        m_records.push_back(map.GetAt(i));
}

BOOL CKeySettingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_keyCombo.SubclassDlgItem(IDC_KEY_COMBO, this);
    m_specialKey.SubclassDlgItem(IDC_SPECIAL_KEY, this);
    GetDlgItem(IDC_CHARACTER)->SendMessage(EM_LIMITTEXT, 1);
    GetDlgItem(IDC_COMMAND_PATH)->SendMessage(EM_LIMITTEXT, kTextLimit);
    GetDlgItem(IDC_COMMAND_PARAMS)->SendMessage(EM_LIMITTEXT, kTextLimit);
    for (int i = 0; i < SpecialKeyTable::kCount; ++i)
        m_specialKey.AddString(SpecialKeyTable::GetText(i));

    FillKeyCombo();
    if (m_addMode) {
        int last = m_keyNames.GetCount() - 1;
        int position = m_initialPosition > last ? last : m_initialPosition;
        if (position < 0)
            position = 0;
        int item = m_keyNames.GetCount() > 0
                       ? m_keyCombo.FindString(-1, m_keyNames.GetAt(position).name)
                       : CB_ERR;
        m_keyCombo.SetCurSel(item);
    } else {
        m_keyCombo.SetCurSel(m_initialPosition);
    }

    if (!m_commandMode) {
        GetDlgItem(IDC_MODE_KEYSTROKE)->EnableWindow(FALSE);
        GetDlgItem(IDC_MODE_RUN)->EnableWindow(FALSE);
    }
    if (m_addMode) {
        GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
        CString quit, add;
        quit.LoadString(IDS_KEY_QUIT);
        add.LoadString(IDS_KEY_ADD);
        GetDlgItem(IDCANCEL)->SetWindowText(quit);
        GetDlgItem(IDC_KEY_APPLY)->SetWindowText(add);
    }
    ShowRecord(m_keyCombo.GetCurSel());
    EnableApply(m_keyCombo.GetCount() > 0);
    return TRUE;
}

void CKeySettingDlg::FillKeyCombo()
{
    m_keyCombo.ResetContent();
    for (const KeyMapRecord& record : m_records)
        m_keyCombo.AddString(m_keyNames.GetName(record.remoteKeyId));
}

void CKeySettingDlg::ShowRecord(int position)
{
    if (position < 0 || position >= (int)m_records.size())
        return;
    const KeyMapRecord& record = m_records[position];
    m_showing = TRUE;
    BOOL keystroke = record.mode == KeyMapRecord::kModeKeystroke;
    SetCheck(this, IDC_MODE_KEYSTROKE, keystroke);
    SetCheck(this, IDC_MODE_RUN, !keystroke);
    SetCheck(this, IDC_CTRL, record.ctrl != 0);
    SetCheck(this, IDC_ALT, record.alt != 0);
    SetCheck(this, IDC_SHIFT, record.shift != 0);
    m_specialKey.SetCurSel(record.specialKey);
    CString character;
    if (record.character != 0)
        character.Format("%c", record.character);
    GetDlgItem(IDC_CHARACTER)->SetWindowText(character);
    GetDlgItem(IDC_COMMAND_PATH)->SetWindowText(FieldText(record.path));
    GetDlgItem(IDC_COMMAND_PARAMS)->SetWindowText(FieldText(record.parameters));
    EnableModeControls(keystroke);
    m_showing = FALSE;
}

void CKeySettingDlg::ReadRecord(int position)
{
    KeyMapRecord& record = m_records[position];
    record.mode = IsChecked(this, IDC_MODE_KEYSTROKE) ? KeyMapRecord::kModeKeystroke
                                                      : KeyMapRecord::kModeRun;
    record.ctrl = IsChecked(this, IDC_CTRL) ? 1 : 0;
    record.alt = IsChecked(this, IDC_ALT) ? 1 : 0;
    record.shift = IsChecked(this, IDC_SHIFT) ? 1 : 0;
    int special = m_specialKey.GetCurSel();
    record.specialKey = special < 0 ? 0 : special;
    CString character = ItemText(this, IDC_CHARACTER);
    record.character = character.GetLength() == 1 ? (unsigned char)character[0] : 0;
    CopyText(record.path, ItemText(this, IDC_COMMAND_PATH));
    CopyText(record.parameters, ItemText(this, IDC_COMMAND_PARAMS));
}

void CKeySettingDlg::EnableModeControls(BOOL keystroke)
{
    static const int kKeyControls[] = {IDC_CTRL, IDC_ALT, IDC_SHIFT, IDC_SPECIAL_KEY,
                                       IDC_CHARACTER};
    static const int kRunControls[] = {IDC_BROWSE_COMMAND, IDC_COMMAND_PATH, IDC_COMMAND_PARAMS};
    for (int id : kKeyControls)
        GetDlgItem(id)->EnableWindow(keystroke);
    for (int id : kRunControls)
        GetDlgItem(id)->EnableWindow(!keystroke);
}

void CKeySettingDlg::EnableApply(BOOL enable)
{
    GetDlgItem(IDC_KEY_APPLY)->EnableWindow(enable);
}

void CKeySettingDlg::OnKeySelChange()
{
    // What was shown and not applied is dropped.
    ShowRecord(m_keyCombo.GetCurSel());
}

void CKeySettingDlg::OnModeKeystroke()
{
    EnableModeControls(TRUE);
    EnableApply(TRUE);
}

void CKeySettingDlg::OnModeRun()
{
    EnableModeControls(FALSE);
    EnableApply(TRUE);
}

void CKeySettingDlg::OnEdited()
{
    if (!m_showing)
        EnableApply(TRUE);
}

void CKeySettingDlg::OnBrowse()
{
    CString filter;
    filter.LoadString(IDS_EXE_FILTER);
    CFileDialog dialog(TRUE, "EXE", "*.exe", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
    if (dialog.DoModal() == IDOK)
        GetDlgItem(IDC_COMMAND_PATH)->SetWindowText(dialog.GetPathName());
}

void CKeySettingDlg::OnApply()
{
    int position = m_keyCombo.GetCurSel();
    if (position < 0 || position >= (int)m_records.size())
        return;
    ReadRecord(position);
    m_store->StoreKeySetting(m_records, position, m_addMode);
    EnableApply(FALSE);
    if (!m_addMode)
        return;
    m_records.erase(m_records.begin() + position);
    FillKeyCombo();
    int count = (int)m_records.size();
    if (position >= count - 1)
        --position;
    if (position < 0 && count > 0)
        position = 0;
    m_keyCombo.SetCurSel(position);
    ShowRecord(position);
    EnableApply(count > 0);
}

void CKeySettingDlg::OnOK()
{
    OnApply();
    EndDialog(IDOK);
}
