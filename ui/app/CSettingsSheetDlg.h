#pragma once

#include <afxwin.h>

#include "CChannelPage.h"
#include "CSchedulePage.h"
#include "CSetupPage.h"
#include "CSkinTabCtrl.h"

// The settings dialog: a tab control with one child page per tab. It opens on the tab shown
// when it last closed; the pages save themselves as their windows go, however it is closed.
class CSettingsSheetDlg : public CDialog
{
public:
    explicit CSettingsSheetDlg(CWnd* pParent = NULL);

    BOOL OnInitDialog() override;

    CSkinTabCtrl& GetTabCtrl() { return m_tab; }
    CChannelPage& GetTVChannelPage() { return m_tvChannelPage; }
    CChannelPage& GetFMChannelPage() { return m_fmChannelPage; }
    CSchedulePage& GetSchedulePage() { return m_schedulePage; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CSkinTabCtrl m_tab;
    CChannelPage m_tvChannelPage;
    CChannelPage m_fmChannelPage;
    CSchedulePage m_schedulePage;
    // The pages of the devices, recording, picture, storage and interface settings.
    CSetupPage m_sourcePage;
    CSetupPage m_recordPage;
    CSetupPage m_videoPage;
    CSetupPage m_storagePage;
    CSetupPage m_hotKeyPage;
};
