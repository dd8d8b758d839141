#include "CRecordSnapshotPage.h"

#include <shlobj.h>

#include "CControlPanelDlg.h"
#include "CMpeg4ConfigDlg.h"
#include "FolderDialog.h"
#include "PathUtil.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const SIZE kMpeg4Sizes[] = {{352, 240}, {352, 288}, {640, 480}, {720, 480}, {720, 576}};
const char* const kMpeg4SizeRows[] = {"352*240", "352*288", "640*480", "720*480", "720*576"};
const char* const kDisplayQualityRows[] = {"低画面质量", "中等质量", "高画面质量"};
const char* const kTimeShiftRows[] = {"10", "20", "30", "40", "50", "60"};
const UINT kMpeg4Controls[] = {IDC_MPEG4_SIZE, IDC_MPEG4_AUDIO, IDC_MPEG4_CONFIG, IDC_MPEG4_SIZE_LABEL,
                               IDC_MPEG4_AUDIO_LABEL};
const char kSizeRefused[] = "当前制式下不允许使用该尺寸!";
const int kRecordFormats = 8;

CString MyPicturesFolder()
{
    char path[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(NULL, path, CSIDL_MYPICTURES, TRUE))
        return "";
    return path;
}

BOOL FolderMade(const CString& folder)
{
    return !folder.IsEmpty() && (CPathUtil::FolderExists(folder) || CPathUtil::MakeDir(folder));
}

} // namespace

BEGIN_MESSAGE_MAP(CRecordSnapshotPage, CSetupPage)
    ON_BN_CLICKED(IDC_SNAP_BMP, OnSnapType)
    ON_BN_CLICKED(IDC_SNAP_JPG, OnSnapType)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_BROWSE_SNAP, OnBrowseSnap)
    ON_BN_CLICKED(IDC_BROWSE_VIDEO, OnBrowseVideo)
    ON_CBN_SELCHANGE(IDC_DISPLAY_QUALITY, OnDisplayQuality)
    ON_CBN_SELCHANGE(IDC_RECORD_FORMAT, OnRecordFormat)
    ON_CBN_SELCHANGE(IDC_MPEG4_SIZE, OnMpeg4Size)
    ON_CBN_SELCHANGE(IDC_MPEG4_AUDIO, OnMpeg4Audio)
    ON_BN_CLICKED(IDC_MPEG4_CONFIG, OnMpeg4Config)
    ON_BN_CLICKED(IDC_TIMESHIFT_KEEP, OnTimeShiftKeep)
    ON_CBN_SELCHANGE(IDC_TIMESHIFT_LENGTH, OnTimeShiftLength)
END_MESSAGE_MAP()

CRecordSnapshotPage::CRecordSnapshotPage(CWnd* pParent) : CSetupPage(IDD_RECORD_PAGE, pParent)
{
}

void CRecordSnapshotPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_JPG_QUALITY, m_quality);
    DDX_Control(pDX, IDC_DISPLAY_QUALITY, m_displayQuality);
    DDX_Control(pDX, IDC_RECORD_FORMAT, m_recordFormat);
    DDX_Control(pDX, IDC_MPEG4_SIZE, m_mpeg4Size);
    DDX_Control(pDX, IDC_MPEG4_AUDIO, m_mpeg4Audio);
    DDX_Text(pDX, IDC_SNAP_PATH, m_strSnapPath);
    DDX_Text(pDX, IDC_VIDEO_PATH, m_strVideoPath);
    DDX_Radio(pDX, IDC_SNAP_BMP, m_nSnapType);
    DDX_Radio(pDX, IDC_SCHEME_QUALITY, m_nScheme);
    DDX_Check(pDX, IDC_TIMESHIFT_KEEP, m_bTFReserved);
    DDX_CBIndex(pDX, IDC_TIMESHIFT_LENGTH, m_nTimeShiftLength);
}

void CRecordSnapshotPage::LoadSettings()
{
    m_strSnapPath = theTVSystem.GetPicPath();
    m_strVideoPath = theTVSystem.GetVideoPath();
    m_nSnapType = theTVSystem.GetSnapBmp() ? 0 : 1;
    m_nJpgQuality = theTVSystem.GetJpgQuality();
    m_nScheme = theTVSystem.GetRecordScheme() == 1 ? 0 : 1;
    m_nDisplayQuality = theTVSystem.GetDisplayQuality();
    m_nRecordFormat = theTVSystem.GetRecordFormat();
    m_bTFReserved = theTVSystem.GetTFReserved();
    m_nTimeShiftLength = (int)(theTVSystem.GetTFTime() / kTimeShiftStep) - 1;
}

BOOL CRecordSnapshotPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    for (const char* row : kDisplayQualityRows)
        m_displayQuality.AddString(row);
    for (const char* row : kMpeg4SizeRows)
        m_mpeg4Size.AddString(row);
    CComboBox* length = (CComboBox*)GetDlgItem(IDC_TIMESHIFT_LENGTH);
    for (const char* row : kTimeShiftRows)
        length->AddString(row);
    UpdateData(FALSE);

    m_quality.SetRange(0, 100);
    m_quality.SetPos(m_nJpgQuality);
    m_quality.EnableWindow(m_nSnapType == 1);
    ShowQuality();
    m_displayQuality.SetCurSel(m_nDisplayQuality);
    for (int format = 0; format < kRecordFormats; format++)
        m_recordFormat.AddString(CTVSystem::GetRecordFormatName(format));
    m_recordFormat.SetCurSel(m_nRecordFormat);

    SIZE size = theTVSystem.GetMpeg4RecordSize();
    m_mpeg4Size.SetCurSel(-1);
    for (int row = 0; row < (int)(sizeof(kMpeg4Sizes) / sizeof(kMpeg4Sizes[0])); row++)
        if (kMpeg4Sizes[row].cx == size.cx && kMpeg4Sizes[row].cy == size.cy)
            m_mpeg4Size.SetCurSel(row);
    const CStringArray& codecs = theTVSystem.GetMpeg4AudioList();
    for (int i = 0; i < codecs.GetSize(); i++)
        m_mpeg4Audio.AddString(codecs[i]);
    m_mpeg4Audio.SetCurSel(m_mpeg4Audio.FindStringExact(-1, theTVSystem.GetMpeg4Audio()));
    ShowMpeg4Controls();
    return TRUE;
}

void CRecordSnapshotPage::ShowMpeg4Controls()
{
    int show = m_nRecordFormat == kMpeg4Format ? SW_SHOW : SW_HIDE;
    for (UINT id : kMpeg4Controls)
        GetDlgItem(id)->ShowWindow(show);
}

void CRecordSnapshotPage::ShowQuality()
{
    CString text;
    text.Format("%d", m_nJpgQuality);
    SetDlgItemText(IDC_JPG_QUALITY_TEXT, text);
}

void CRecordSnapshotPage::OnSnapType()
{
    UpdateData(TRUE);
    m_quality.EnableWindow(m_nSnapType == 1);
}

void CRecordSnapshotPage::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if ((CWnd*)pScrollBar == (CWnd*)&m_quality && (nSBCode == TB_THUMBTRACK || nSBCode == TB_ENDTRACK)) {
        m_nJpgQuality = m_quality.GetPos();
        ShowQuality();
    }
    CSetupPage::OnHScroll(nSBCode, nPos, pScrollBar);
}

CString CRecordSnapshotPage::BrowseFolder(const CString& start)
{
    CString title;
    title.LoadString(IDS_CHOOSE_FOLDER);
    CFolderDialog dialog(start, 0, this, title);
    if (dialog.DoModal() != IDOK)
        return "";
    return dialog.GetFolderPath();
}

void CRecordSnapshotPage::OnBrowseSnap()
{
    UpdateData(TRUE);
    CString folder = BrowseFolder(m_strSnapPath);
    if (folder.IsEmpty())
        return;
    m_strSnapPath = folder;
    CTVSystem::WriteSnapPath(folder);
    SetDlgItemText(IDC_SNAP_PATH, folder);
}

void CRecordSnapshotPage::OnBrowseVideo()
{
    UpdateData(TRUE);
    CString folder = BrowseFolder(m_strVideoPath);
    if (folder.IsEmpty())
        return;
    m_strVideoPath = folder;
    SetDlgItemText(IDC_VIDEO_PATH, folder);
}

void CRecordSnapshotPage::OnDisplayQuality()
{
    m_nDisplayQuality = m_displayQuality.GetCurSel();
}

void CRecordSnapshotPage::OnRecordFormat()
{
    m_nRecordFormat = m_recordFormat.GetCurSel();
    ShowMpeg4Controls();
}

// The largest size needs a 25-frame standard; otherwise the row the size had comes back.
void CRecordSnapshotPage::OnMpeg4Size()
{
    int row = m_mpeg4Size.GetCurSel();
    if (row < 0)
        return;
    if (row == kMpeg4PalRow && !theTVSystem.GetGraph().Is50HzStandard()) {
        MessageBox(kSizeRefused);
        SIZE size = theTVSystem.GetMpeg4RecordSize();
        m_mpeg4Size.SetCurSel(-1);
        for (int i = 0; i < kMpeg4PalRow; i++)
            if (kMpeg4Sizes[i].cx == size.cx && kMpeg4Sizes[i].cy == size.cy)
                m_mpeg4Size.SetCurSel(i);
        return;
    }
    theTVSystem.SetMpeg4RecordSize(kMpeg4Sizes[row]);
}

void CRecordSnapshotPage::OnMpeg4Audio()
{
    int row = m_mpeg4Audio.GetCurSel();
    if (row < 0)
        return;
    CString name;
    m_mpeg4Audio.GetLBText(row, name);
    theTVSystem.SetMpeg4Audio(name);
}

void CRecordSnapshotPage::OnMpeg4Config()
{
    CMpeg4ConfigDlg dialog(this);
    dialog.DoModal();
}

void CRecordSnapshotPage::OnTimeShiftKeep()
{
    m_bTFReserved = ::IsDlgButtonChecked(m_hWnd, IDC_TIMESHIFT_KEEP) == BST_CHECKED;
    theTVSystem.SetTFReserved(m_bTFReserved);
}

void CRecordSnapshotPage::OnTimeShiftLength()
{
    int row = ((CComboBox*)GetDlgItem(IDC_TIMESHIFT_LENGTH))->GetCurSel();
    if (row < 0)
        return;
    m_nTimeShiftLength = row;
    theTVSystem.SetTFTime((row + 1) * kTimeShiftStep);
}

BOOL CRecordSnapshotPage::SaveSettings()
{
    if (FolderMade(m_strSnapPath)) {
        theTVSystem.SetPicPath(m_strSnapPath);
    } else {
        CString pictures = MyPicturesFolder();
        FolderMade(pictures);
        theTVSystem.SetPicPath(pictures);
    }
    if (m_strVideoPath.CompareNoCase(theTVSystem.GetVideoPath()) != 0 && FolderMade(m_strVideoPath))
        theTVSystem.SetVideoPath(m_strVideoPath);

    theTVSystem.SetSnapBmp(m_nSnapType == 0);
    theTVSystem.SetJpgQuality(m_nJpgQuality);
    theTVSystem.SetRecordScheme(m_nScheme == 0 ? 1 : 0);
    theTVSystem.SetDisplayQuality(m_nDisplayQuality);
    theTVSystem.SetRecordFormat(m_nRecordFormat);
    if (theControlPanel.GetSafeHwnd() != NULL)
        theControlPanel.SyncFormatMenus();
    theTVSystem.SetTFReserved(m_bTFReserved);
    return TRUE;
}
