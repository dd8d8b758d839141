#include "CGeneralPrefsPage.h"

namespace {

enum {
    kStartupHideId = 1020,
    kBackgroundId = 1022,
    kChooseBackgroundId = 1023,
    kRunAtStartupId = 1024,
    kSeveralMediaId = 1026,
    kCloseAllOnExitId = 1027,
};

}  // namespace

BEGIN_MESSAGE_MAP(CGeneralPrefsPage, CSAPrefsSubDlg)
    ON_BN_CLICKED(kChooseBackgroundId, OnChooseBackground)
END_MESSAGE_MAP()

CGeneralPrefsPage::CGeneralPrefsPage()
    : CSAPrefsSubDlg(IDD), m_startupHide(0), m_runAtStartup(0), m_allowSeveralMedia(0),
      m_closeAllOnExit(1)
{
}

void CGeneralPrefsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, kStartupHideId, m_startupHide);
    DDX_Text(pDX, kBackgroundId, m_mainBackground);
    DDV_MaxChars(pDX, m_mainBackground, 255);
    DDX_Check(pDX, kRunAtStartupId, m_runAtStartup);
    DDX_Check(pDX, kSeveralMediaId, m_allowSeveralMedia);
    DDX_Check(pDX, kCloseAllOnExitId, m_closeAllOnExit);
}

BOOL CGeneralPrefsPage::OnInitDialog()
{
    CSAPrefsSubDlg::OnInitDialog();
    CompleteFiles(kBackgroundId);
    return TRUE;
}

void CGeneralPrefsPage::OnChooseBackground()
{
    ChoosePicture(kBackgroundId, m_mainBackground);
}
