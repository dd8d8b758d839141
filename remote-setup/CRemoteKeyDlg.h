#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "CHoverBitmapButton.h"
#include "CKeySettingDlg.h"
#include "CSkinListCtrl.h"
#include "CSkinScrollBar.h"
#include "KeyCodeTable.h"
#include "KeyMapFile.h"
#include "ProgramList.h"
#include "ProgramPresetList.h"
#include "RemoteKeyButtonTable.h"
#include "RemoteKeyNameList.h"
#include "RemoteServiceCtrl.h"
#include "TandrilResource.h"

// Tandril's main dialog: the picture of the remote control with a button per key, the key
// sets (the default key map and one key table per program), the list of the chosen set's keys
// and the service buttons. The Apply button's enabled state is the dialog's "modified" mark.
class CRemoteKeyDlg : public CDialog, public KeySettingStore
{
public:
    enum { IDD = IDD_REMOTEKEY };

    // programFolder ends with a backslash; every file of Tandril lies there.
    explicit CRemoteKeyDlg(const CString& programFolder, CWnd* pParent = NULL);
    ~CRemoteKeyDlg() override;

    // The list's text for a record: its key combination, or the program it runs.
    static CString DescribeEntry(const KeyMapRecord& record);
    static CString DescribeEntry(const KeyCodeRecord& record);

    // Stores what the key dialog applied into the current set and saves the set's file at once.
    void StoreKeySetting(const std::vector<KeyMapRecord>& list, int position,
                         BOOL addMode) override;

protected:
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnProgramSelChange();
    afx_msg void OnRestoreDefault();
    afx_msg void OnAddProgram();
    afx_msg void OnModifyProgram();
    afx_msg void OnDeleteProgram();
    afx_msg void OnKeyAdd();
    afx_msg void OnKeyModify();
    afx_msg void OnKeyDelete();
    afx_msg void OnApply();
    afx_msg void OnHelp();
    afx_msg void OnExit();
    afx_msg void OnShowServiceStatus();
    afx_msg void OnRemoveService();
    afx_msg void OnStartService();
    afx_msg void OnStopService();
    DECLARE_MESSAGE_MAP()

private:
    enum { kDragBandHeight = 26 };

    void AddPresetPrograms();
    void InitData();
    void CreateServiceCtrl();
    void CreateKeyButtons();
    void LayoutControls();
    void InitKeyList();
    void FillProgramCombo();
    void UpdateButtonStates();
    void SelectProgram(int program);
    void RefreshKeyList();
    void OnKeyButton(UINT id);
    void OnKeyListItemChanged(const NMLISTVIEW* change);
    void SelectRow(int row);
    // The combo refilled with the set kept, and the set's keys shown.
    void ProgramsChanged();
    void SetModified(BOOL modified);
    BOOL IsModified() const;
    BOOL RestartService();
    BOOL InstallService();
    CString KeyTablePath(int program) const;
    // The button of a remote key, NULL for an id that has none.
    CHoverBitmapButton* KeyButton(int remoteKeyId);
    // The row whose key column reads the name, -1 when none does.
    int FindRow(const CString& name) const;

    CString m_programFolder;
    HICON m_hIcon;
    HICON m_hSmallIcon;
    CBitmap m_background;
    CRgn m_region;

    CHoverBitmapButton m_apply, m_help, m_exit;
    CHoverBitmapButton m_programAdd, m_programModify, m_programDelete, m_restoreDefault;
    CHoverBitmapButton m_keyAdd, m_keyModify, m_keyDelete;
    CSkinScrollBar m_scrollBar;
    CSkinListCtrl m_keyList;
    CComboBox m_programCombo;
    // In RemoteKeyButtonTable's order: the fixed keys first.
    CHoverBitmapButton m_keyButtons[RemoteKeyButtonTable::COUNT];

    RemoteKeyNameList m_keyNames;
    ProgramPresetList m_presets;
    CProgramList m_programs;
    CKeyMapFile m_defaultMap;
    CKeyCodeTable m_programTable;
    CRemoteServiceCtrl* m_serviceCtrl;  // owned; made by InitData, deleted on WM_DESTROY

    int m_highlight;    // position in m_keyNames of the checked key button
    int m_selectedRow;  // -1: none
    int m_currentSet;   // 0 the default key map, n the n-th program
};
