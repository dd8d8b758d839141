#pragma once

#include <afxwin.h>

#include "CChannelPage.h"
#include "CHotKeyPage.h"
#include "CRecordSnapshotPage.h"
#include "CRecordStoragePage.h"
#include "CSchedulePage.h"
#include "CSourcePage.h"
#include "CSetupPage.h"
#include "CSkinTabCtrl.h"
#include "CVideoAdjustDlg.h"

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
    CVideoAdjustDlg& GetVideoPage() { return m_videoPage; }
    CHotKeyPage& GetHotKeyPage() { return m_hotKeyPage; }
    CSourcePage& GetSourcePage() { return m_sourcePage; }
    CRecordSnapshotPage& GetRecordPage() { return m_recordPage; }
    CRecordStoragePage& GetStoragePage() { return m_storagePage; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CSkinTabCtrl m_tab;
    CChannelPage m_tvChannelPage;
    CChannelPage m_fmChannelPage;
    CSchedulePage m_schedulePage;
    CSourcePage m_sourcePage;
    CRecordSnapshotPage m_recordPage;
    CVideoAdjustDlg m_videoPage;
    CRecordStoragePage m_storagePage;
    CHotKeyPage m_hotKeyPage;
};
