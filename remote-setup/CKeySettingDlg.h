#pragma once

#include <afxwin.h>

#include <vector>

#include "KeyMapFile.h"
#include "KeyMapRecord.h"
#include "KeySettingStore.h"
#include "RemoteKeyNameList.h"
#include "TandrilResource.h"

// Edits the actions of remote keys in a working list and hands every applied record to the
// store. In add mode each applied key leaves the list; in modify mode the list is one key set.
class CKeySettingDlg : public CDialog
{
public:
    enum { IDD = IDD_KEY_SETTING };

    CKeySettingDlg(KeySettingStore* store, const RemoteKeyNameList& keyNames,
                   CWnd* pParent = NULL);

    void SetWorkingList(const CKeyMapFile& map);
    const std::vector<KeyMapRecord>& GetWorkingList() const { return m_records; }

    // Add mode: a position in the key-name list; modify mode: a row of the working list.
    int m_initialPosition;
    BOOL m_addMode;
    // Run-command records may be edited (the default key map only).
    BOOL m_commandMode;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnKeySelChange();
    afx_msg void OnModeKeystroke();
    afx_msg void OnModeRun();
    afx_msg void OnEdited();
    afx_msg void OnBrowse();
    afx_msg void OnApply();
    DECLARE_MESSAGE_MAP()

private:
    void FillKeyCombo();
    void ShowRecord(int position);
    void ReadRecord(int position);
    void EnableModeControls(BOOL keystroke);
    void EnableApply(BOOL enable);

    KeySettingStore* m_store;
    const RemoteKeyNameList& m_keyNames;
    std::vector<KeyMapRecord> m_records;
    CComboBox m_keyCombo;
    CComboBox m_specialKey;
    // Set while a record is put into the controls: their change notices are not edits.
    BOOL m_showing;
};
