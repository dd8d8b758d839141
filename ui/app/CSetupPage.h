#pragma once

#include <afxwin.h>

// Base of the settings dialog's pages: a child dialog that loads its values from the TV system
// when created and saves them when its window goes, however the dialog was closed. Enter and
// Esc typed inside a page close nothing.
class CSetupPage : public CDialog
{
public:
    CSetupPage(UINT nIDTemplate, CWnd* pParent = NULL);

    // Copies the page's members back into the TV system and applies them.
    virtual BOOL SaveSettings() { return TRUE; }
    // Copies the TV system's values into the page's members.
    virtual void LoadSettings() {}

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnOK() override {}
    void DoDataExchange(CDataExchange*) override {}
    void PostNcDestroy() override;

    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Pages whose members follow their controls take the controls' last values as they go.
    BOOL m_bExchangeOnDestroy = TRUE;
};
