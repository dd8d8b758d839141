// The main dialog's program commands and the key commands that open the key dialog, with the
// storing of what that dialog applies.
#include "CRemoteKeyDlg.h"

#include "CProgramItemDlg.h"

void CRemoteKeyDlg::ProgramsChanged()
{
    FillProgramCombo();
    m_programCombo.SetCurSel(m_currentSet);
    OnProgramSelChange();
    SetModified(TRUE);
}

void CRemoteKeyDlg::OnAddProgram()
{
    CProgramItemDlg dialog(m_presets, m_programs, -1, this);
    dialog.m_mode = CProgramItemDlg::kModeAdd;
    if (dialog.DoModal() != IDOK)
        return;
    m_programs.Add(ProgramEntry{dialog.m_displayName, dialog.m_applicationFile,
                                dialog.m_keyTableFile});
    ProgramsChanged();
}

void CRemoteKeyDlg::OnModifyProgram()
{
    if (m_currentSet <= 0 || m_currentSet > m_programs.GetCount())
        return;
    ProgramEntry& entry = m_programs.GetAt(m_currentSet - 1);
    CProgramItemDlg dialog(m_presets, m_programs, m_currentSet - 1, this);
    dialog.m_mode = CProgramItemDlg::kModeModify;
    dialog.m_displayName = entry.displayName;
    dialog.m_applicationFile = entry.applicationFile;
    if (dialog.DoModal() != IDOK)
        return;
    // The key-table file stays: it holds the entry's keys.
    entry.displayName = dialog.m_displayName;
    entry.applicationFile = dialog.m_applicationFile;
    ProgramsChanged();
}

void CRemoteKeyDlg::OnDeleteProgram()
{
    if (m_currentSet <= 0 || m_currentSet > m_programs.GetCount())
        return;
    int index = m_currentSet - 1;
    CProgramItemDlg dialog(m_presets, m_programs, index, this);
    dialog.m_mode = CProgramItemDlg::kModeDelete;
    dialog.m_displayName = m_programs.GetAt(index).displayName;
    dialog.m_applicationFile = m_programs.GetAt(index).applicationFile;
    if (dialog.DoModal() != IDOK)
        return;
    // The shown entry itself goes, not the first of its name: names may differ only in case.
    DeleteFileA(KeyTablePath(m_currentSet));
    m_programs.RemoveAt(index);
    m_currentSet = index;
    ProgramsChanged();
}

void CRemoteKeyDlg::OnKeyAdd()
{
    if (m_currentSet <= 0)
        return;
    CKeyMapFile keys;
    keys.ResetToDefaults();
    keys.RemoveIds(m_programTable);
    CKeySettingDlg dialog(this, m_keyNames, this);
    dialog.SetWorkingList(keys);
    dialog.m_addMode = TRUE;
    dialog.m_initialPosition = m_highlight;
    if (dialog.DoModal() == IDOK)
        SetModified(TRUE);
}

void CRemoteKeyDlg::OnKeyModify()
{
    if (m_selectedRow < 0)
        return;
    CKeyMapFile keys;
    if (m_currentSet > 0)
        keys.FromKeyCodeTable(m_programTable);
    else
        keys = m_defaultMap;
    CKeySettingDlg dialog(this, m_keyNames, this);
    dialog.SetWorkingList(keys);
    dialog.m_addMode = FALSE;
    dialog.m_initialPosition = m_selectedRow;
    // A program's table holds keystrokes only.
    dialog.m_commandMode = m_currentSet == 0;
    if (dialog.DoModal() == IDOK)
        SetModified(TRUE);
    RefreshKeyList();
}

void CRemoteKeyDlg::StoreKeySetting(const std::vector<KeyMapRecord>& list, int position,
                                    BOOL addMode)
{
    CKeyMapFile map;
    for (const KeyMapRecord& record : list)
        map.Add(record);
    if (m_currentSet > 0) {
        if (!addMode) {
            m_programTable.ReplaceFrom(map);
        } else if (position >= 0 && position < (int)list.size()
                   && m_programTable.Find(list[position].remoteKeyId) < 0) {
            const KeyMapRecord& record = list[position];
            m_programTable.Add(KeyCodeRecord{record.remoteKeyId, record.ctrl, record.alt,
                                             record.shift, record.specialKey, record.character});
        }
        m_programTable.Save(KeyTablePath(m_currentSet));
    } else {
        m_defaultMap = map;
        m_defaultMap.Save(m_programFolder + kDefaultKeyMapFile);
    }
    RefreshKeyList();
    SetModified(TRUE);
}
