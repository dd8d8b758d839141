#include "CPicturePrefsPage.h"

#include "VelmoraResource.h"

namespace {

enum {
    kChooseFolderId = 1011,
    kFolderId = 1012,
    kBackgroundId = 1013,
    kChooseBackgroundId = 1014,
    kTypesId = 1015,
    kSecondsId = 1019,
    kStretchId = 1025,
};

}  // namespace

BEGIN_MESSAGE_MAP(CPicturePrefsPage, CSAPrefsSubDlg)
    ON_BN_CLICKED(kChooseFolderId, OnChooseFolder)
    ON_BN_CLICKED(kChooseBackgroundId, OnChooseBackground)
END_MESSAGE_MAP()

CPicturePrefsPage::CPicturePrefsPage() : CSAPrefsSubDlg(IDD), m_slideshowSeconds(5), m_stretch(0)
{
}

void CPicturePrefsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, kFolderId, m_folder);
    DDV_MaxChars(pDX, m_folder, 255);
    DDX_Text(pDX, kSecondsId, m_slideshowSeconds);
    DDV_MinMaxInt(pDX, m_slideshowSeconds, 1, 100);
    DDX_Text(pDX, kBackgroundId, m_background);
    DDV_MaxChars(pDX, m_background, 255);
    DDX_Check(pDX, kStretchId, m_stretch);
    DDX_Text(pDX, kTypesId, m_types);
    DDV_MaxChars(pDX, m_types, 256);
}

BOOL CPicturePrefsPage::OnInitDialog()
{
    CSAPrefsSubDlg::OnInitDialog();
    CompleteFolders(kFolderId);
    CompleteFiles(kBackgroundId);
    return TRUE;
}

void CPicturePrefsPage::OnChooseFolder()
{
    ChooseFolder(kFolderId, m_folder, IDS_CHOOSE_PICTURE_FOLDER);
}

void CPicturePrefsPage::OnChooseBackground()
{
    ChoosePicture(kBackgroundId, m_background);
}
