#include "CSettingsSheetDlg.h"

#include "TVSystem.h"
#include "resource.h"

namespace {

const char kSection[] = "Settings";
const char kCurrentPage[] = "nCurPagePropSheet";

} // namespace

BEGIN_MESSAGE_MAP(CSettingsSheetDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSettingsSheetDlg::CSettingsSheetDlg(CWnd* pParent)
    : CDialog(IDD_SETTINGS, pParent)
{
    m_fmChannelPage.SetFM(TRUE);
}

void CSettingsSheetDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTINGS_TAB, m_tab);
}

BOOL CSettingsSheetDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BOOL fm = theTVSystem.HasFM();
    m_hotKeyPage.Create(IDD_HOTKEY_PAGE, &m_tab);
    m_tvChannelPage.Create(IDD_CHANNEL_PAGE, &m_tab);
    if (fm)
        m_fmChannelPage.Create(IDD_CHANNEL_PAGE, &m_tab);
    m_sourcePage.Create(IDD_SOURCE_PAGE, &m_tab);
    m_recordPage.Create(IDD_RECORD_PAGE, &m_tab);
    m_schedulePage.Create(IDD_SCHEDULE_PAGE, &m_tab);
    m_videoPage.Create(IDD_VIDEO_PAGE, &m_tab);
    m_storagePage.Create(IDD_STORAGE_PAGE, &m_tab);

    struct Tab
    {
        CWnd* page;
        UINT caption;
    };
    const Tab tabs[] = {{&m_tvChannelPage, IDS_TAB_CHANNELS}, {&m_fmChannelPage, IDS_TAB_FM_CHANNELS},
                        {&m_sourcePage, IDS_TAB_SOURCE},      {&m_recordPage, IDS_TAB_RECORD},
                        {&m_schedulePage, IDS_TAB_SCHEDULE},  {&m_videoPage, IDS_TAB_VIDEO},
                        {&m_hotKeyPage, IDS_TAB_INTERFACE},   {&m_storagePage, IDS_TAB_STORAGE}};
    for (const Tab& tab : tabs) {
        if (tab.page == &m_fmChannelPage && !fm)
            continue;
        CString caption;
        caption.LoadString(tab.caption);
        m_tab.AddTab(tab.page, caption, 0);
    }

    CWinApp* app = AfxGetApp();
    int page = app != NULL ? (int)app->GetProfileInt(kSection, kCurrentPage, 0) : 0;
    if (page >= 0 && page < m_tab.GetItemCount())
        m_tab.SelectTab(page);
    return TRUE;
}

void CSettingsSheetDlg::OnDestroy()
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kSection, kCurrentPage, m_tab.GetCurSel());
    CWnd::OnDestroy();
}
