#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "CSetupPage.h"

// The interface page: the control panel's keyboard shortcuts, the skin, and when the tray
// program starts. The shortcut table is saved to "Accel.txt" and built anew as the page goes.
class CHotKeyPage : public CSetupPage
{
public:
    explicit CHotKeyPage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL OnInitDialog() override;

    // fVirt for the hot-key control's modifier flags: always FVIRTKEY.
    static BYTE VirtFromHotKeyFlags(WORD flags);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void PostNcDestroy() override;

    afx_msg void OnCommandChange();
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg void OnDefault();
    afx_msg void OnSkinList();
    afx_msg void OnSkinCombo();
    afx_msg void OnAutoRun();
    afx_msg void OnRunTray();
    DECLARE_MESSAGE_MAP()

    void FillCommands();
    void ShowKeys();
    void ChooseSkin(const CString& name);
    void Say(UINT text);

    CListBox m_commands;
    CListBox m_keys;
    CHotKeyCtrl m_hotKey;
    CListBox m_skins;
    CComboBox m_skinCombo;
    CString m_comment;
    BOOL m_bAutoRun = FALSE;
    BOOL m_bRunTray = TRUE;
    CString m_skinName;
};
