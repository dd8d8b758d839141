// The main dialog's key sets: the combo of sets, the key list and the key buttons.
#include "CRemoteKeyDlg.h"

#include "FormatKeyCombo.h"

CString CRemoteKeyDlg::DescribeEntry(const KeyMapRecord& record)
{
    if (record.mode == KeyMapRecord::kModeKeystroke)
        return FormatKeyCombo(record.ctrl, record.alt, record.shift, record.specialKey,
                              record.character);
    if (record.mode != KeyMapRecord::kModeRun)
        return CString();
    // The texts of a record read from a file need not end within their fields.
    CString path(record.path, (int)strnlen(record.path, sizeof(record.path)));
    CString parameters(record.parameters, (int)strnlen(record.parameters, sizeof(record.parameters)));
    CString format, text;
    format.LoadString(IDS_RUN_DESCRIPTION);
    text.Format(format, (LPCTSTR)path, (LPCTSTR)parameters);
    return text;
}

CString CRemoteKeyDlg::DescribeEntry(const KeyCodeRecord& record)
{
    return FormatKeyCombo(record.ctrl, record.alt, record.shift, record.specialKey,
                          record.character);
}

void CRemoteKeyDlg::FillProgramCombo()
{
    m_programCombo.ResetContent();
    CString defaultSet;
    defaultSet.LoadString(IDS_DEFAULT_SET);
    m_programCombo.AddString(defaultSet);
    for (int i = 0; i < m_programs.GetCount(); ++i)
        m_programCombo.AddString(m_programs.GetAt(i).displayName);
}

void CRemoteKeyDlg::OnProgramSelChange()
{
    int selected = m_programCombo.GetCurSel();
    m_currentSet = selected < 0 ? 0 : selected;
    UpdateButtonStates();
    if (m_currentSet > 0)
        SelectProgram(m_currentSet);
    RefreshKeyList();
}

void CRemoteKeyDlg::UpdateButtonStates()
{
    BOOL program = m_currentSet > 0;
    m_keyAdd.EnableWindow(program);
    m_keyDelete.EnableWindow(program);
    m_programModify.EnableWindow(program);
    m_programDelete.EnableWindow(program);
    m_restoreDefault.EnableWindow(!program);
}

CString CRemoteKeyDlg::KeyTablePath(int program) const
{
    return m_programFolder + m_programs.GetAt(program - 1).keyTableFile;
}

void CRemoteKeyDlg::SelectProgram(int program)
{
    m_programTable.RemoveAll();
    if (program >= 1 && program <= m_programs.GetCount())
        m_programTable.Load(KeyTablePath(program));
}

void CRemoteKeyDlg::RefreshKeyList()
{
    m_keyList.DeleteAllItems();
    m_selectedRow = -1;
    int count = m_currentSet > 0 ? m_programTable.GetCount() : m_defaultMap.GetCount();
    for (int i = 0; i < count; ++i) {
        int id;
        CString description;
        if (m_currentSet > 0) {
            id = m_programTable.GetAt(i).remoteKeyId;
            description = DescribeEntry(m_programTable.GetAt(i));
        } else {
            id = m_defaultMap.GetAt(i).remoteKeyId;
            description = DescribeEntry(m_defaultMap.GetAt(i));
        }
        int row = m_keyList.InsertItem(i, m_keyNames.GetName(id));
        m_keyList.SetItemText(row, 1, description);
    }
    if (count == 0)
        return;
    int row = FindRow(m_keyNames.GetAt(m_highlight).name);
    SelectRow(row < 0 ? 0 : row);
}

int CRemoteKeyDlg::FindRow(const CString& name) const
{
    for (int i = 0; i < m_keyList.GetItemCount(); ++i) {
        if (m_keyList.GetItemText(i, 0) == name)
            return i;
    }
    return -1;
}

void CRemoteKeyDlg::SelectRow(int row)
{
    m_keyList.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_keyList.EnsureVisible(row, FALSE);
}

CHoverBitmapButton* CRemoteKeyDlg::KeyButton(int remoteKeyId)
{
    for (int i = 0; i < RemoteKeyButtonTable::COUNT; ++i) {
        if (RemoteKeyButtonTable::kRows[i].id == remoteKeyId)
            return &m_keyButtons[i];
    }
    return NULL;
}

BOOL CRemoteKeyDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    OnKeyButton(LOWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
}

void CRemoteKeyDlg::OnKeyButton(UINT id)
{
    int index = m_keyNames.FindId((int)id);
    if (index < 0)
        return;
    CHoverBitmapButton* previous = KeyButton(m_keyNames.GetAt(m_highlight).id);
    if (previous != NULL)
        previous->SetCheck(FALSE);
    m_highlight = index;
    CHoverBitmapButton* button = KeyButton((int)id);
    if (button != NULL)
        button->SetCheck(TRUE);
    int row = FindRow(m_keyNames.GetAt(index).name);
    if (row >= 0) {
        SelectRow(row);
    } else {
        // A key the set does not hold: no other key's row may stay chosen for Delete.
        m_keyList.SetItemState(-1, 0, LVIS_SELECTED);
        m_selectedRow = -1;
    }
}

BOOL CRemoteKeyDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = (const NMHDR*)lParam;
    if (header->idFrom == IDC_KEY_LIST) {
        if (header->code == LVN_ITEMCHANGED) {
            OnKeyListItemChanged((const NMLISTVIEW*)lParam);
        } else if (header->code == LVN_KEYDOWN) {
            const NMLVKEYDOWN* key = (const NMLVKEYDOWN*)lParam;
            if (key->wVKey == VK_DELETE && m_currentSet > 0)
                OnKeyDelete();
            else if (key->wVKey == VK_SPACE)
                OnKeyModify();
        } else if (header->code == NM_DBLCLK) {
            OnKeyModify();
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CRemoteKeyDlg::OnKeyListItemChanged(const NMLISTVIEW* change)
{
    if (!(change->uChanged & LVIF_STATE))
        return;
    BOOL selected = (change->uNewState & LVIS_SELECTED) != 0;
    BOOL wasSelected = (change->uOldState & LVIS_SELECTED) != 0;
    if (!selected && wasSelected && change->iItem == m_selectedRow)
        m_selectedRow = -1;
    if (!selected || wasSelected)
        return;
    m_selectedRow = change->iItem;
    int index = m_keyNames.FindName(m_keyList.GetItemText(change->iItem, 0));
    if (index < 0)
        return;
    CHoverBitmapButton* previous = KeyButton(m_keyNames.GetAt(m_highlight).id);
    if (previous != NULL)
        previous->SetCheck(FALSE);
    m_highlight = index;
    KeyButton(m_keyNames.GetAt(index).id)->SetCheck(TRUE);
}

void CRemoteKeyDlg::OnKeyDelete()
{
    if (m_currentSet <= 0 || m_selectedRow < 0 || m_selectedRow >= m_programTable.GetCount())
        return;
    int row = m_selectedRow;
    m_programTable.RemoveAt(row);
    m_keyList.DeleteItem(row);
    m_selectedRow = -1;
    int count = m_keyList.GetItemCount();
    if (count > 0)
        SelectRow(row < count ? row : count - 1);
    SetModified(TRUE);
}

void CRemoteKeyDlg::OnRestoreDefault()
{
    m_defaultMap.RestoreFactoryMap(AfxGetResourceHandle(), m_programFolder);
    RefreshKeyList();
    // The service still runs with the old map until Apply restarts it.
    SetModified(TRUE);
}
