#include "CRecordFormatPage.h"

#include <afxcmn.h>

#include "TVSystem.h"
#include "resource.h"

namespace {

const int kFormats = 8;
const int kQualities = 3;

} // namespace

BEGIN_MESSAGE_MAP(CRecordFormatPage, CSetupPage)
    ON_CBN_SELCHANGE(IDC_RECORD_FORMAT, OnFormat)
    ON_CBN_SELCHANGE(IDC_VA_SIZE, OnSize)
    ON_BN_CLICKED(IDC_VA_HIGH_QUALITY, OnHighQuality)
    ON_BN_CLICKED(IDC_VA_USE_OVERLAY, OnUseOverlay)
    ON_BN_CLICKED(IDC_VA_HALF_FRAME, OnHalfFrame)
    ON_BN_CLICKED(IDC_VA_NOISE, OnNoise)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CRecordFormatPage::CRecordFormatPage(CWnd* pParent) : CSetupPage(IDD_RECORD_FORMAT_PAGE, pParent)
{
}

void CRecordFormatPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SCHEME_QUALITY, m_scheme);
    DDX_CBIndex(pDX, IDC_DISPLAY_QUALITY, m_displayQuality);
    DDX_Check(pDX, IDC_VA_HIGH_QUALITY, m_bHighQuality);
    DDX_Check(pDX, IDC_VA_USE_OVERLAY, m_bOverlay);
    DDX_Check(pDX, IDC_VA_NOISE, m_bNoise);
    DDX_Check(pDX, IDC_VA_HALF_FRAME, m_bHalfFrame);
    DDX_Text(pDX, IDC_VA_NOISE_TEXT, m_noiseValue);
}

void CRecordFormatPage::LoadSettings()
{
    m_bHighQuality = theTVSystem.GetHightQuality();
    m_bHalfFrame = theTVSystem.GetHalfRate();
    m_bOverlay = theTVSystem.GetUseOverlay();
    m_bNoise = theTVSystem.GetNoiseReduce();
    m_noiseValue = theTVSystem.GetReduceValue();
    m_scheme = theTVSystem.GetRecordScheme() == 1 ? 0 : 1;
    m_displayQuality = theTVSystem.GetDisplayQuality();
    m_format = theTVSystem.GetRecordFormat();
    m_sizeIndex = theTVSystem.GetVideoSizeIndex();
}

BOOL CRecordFormatPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();
    CComboBox* formats = (CComboBox*)GetDlgItem(IDC_RECORD_FORMAT);
    for (int i = 0; i < kFormats; i++)
        formats->SetItemData(formats->AddString(CTVSystem::GetRecordFormatName(i)), i);
    formats->SetCurSel(m_format >= 0 && m_format < kFormats ? m_format : -1);
    CComboBox* qualities = (CComboBox*)GetDlgItem(IDC_DISPLAY_QUALITY);
    for (int i = 0; i < kQualities; i++) {
        CString name;
        name.LoadString(CTVSystem::GetLabelId(CTVSystem::kQualityLabels, i));
        qualities->AddString(name);
    }
    CComboBox* sizes = (CComboBox*)GetDlgItem(IDC_VA_SIZE);
    for (int i = 0;; i++) {
        SIZE size = CTVSystem::GetCaptureSizeRow(i, TRUE);
        if (size.cx == 0)
            break;
        CString text;
        text.Format("%d*%d", (int)size.cx, (int)size.cy);
        sizes->AddString(text);
    }
    sizes->SetCurSel(m_sizeIndex);
    CSliderCtrl* noise = (CSliderCtrl*)GetDlgItem(IDC_VA_NOISE_VALUE);
    noise->SetRange(0, 10);
    noise->SetPos(m_noiseValue);
    noise->EnableWindow(m_bNoise);
    UpdateData(FALSE);
    return TRUE;
}

void CRecordFormatPage::OnFormat()
{
    m_format = ((CComboBox*)GetDlgItem(IDC_RECORD_FORMAT))->GetCurSel();
}

void CRecordFormatPage::OnSize()
{
    CWaitCursor wait;
    m_sizeIndex = ((CComboBox*)GetDlgItem(IDC_VA_SIZE))->GetCurSel();
    theTVSystem.SetVideoSize(m_sizeIndex);
}

void CRecordFormatPage::OnHighQuality()
{
    UpdateData(TRUE);
    theTVSystem.SetHightQuality(m_bHighQuality);
}

void CRecordFormatPage::OnUseOverlay()
{
    UpdateData(TRUE);
    if (!theTVSystem.SwitchOverlay(m_bOverlay)) {
        CString text;
        text.LoadString(IDS_OVERLAY_FAILED);
        MessageBox(text, "Kavex");
    }
}

void CRecordFormatPage::OnHalfFrame()
{
    UpdateData(TRUE);
    theTVSystem.SetHalfRate(m_bHalfFrame);
}

void CRecordFormatPage::OnNoise()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_VA_NOISE_VALUE)->EnableWindow(m_bNoise);
    theTVSystem.SetNoiseReduce(m_bNoise);
}

void CRecordFormatPage::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    if ((nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK) || pScrollBar == NULL)
        return;
    m_noiseValue = ((CSliderCtrl*)pScrollBar)->GetPos();
    CString text;
    text.Format("%d", m_noiseValue);
    SetDlgItemText(IDC_VA_NOISE_TEXT, text);
    theTVSystem.SetReduceValue(m_noiseValue);
}

BOOL CRecordFormatPage::SaveSettings()
{
    theTVSystem.SetRecordScheme(m_scheme == 0 ? 1 : 0);
    theTVSystem.SetDisplayQuality(m_displayQuality);
    if (m_format >= 0)
        theTVSystem.SetRecordFormat(m_format);
    return TRUE;
}
