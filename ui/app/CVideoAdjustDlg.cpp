#include "CVideoAdjustDlg.h"

#include "TVSystem.h"
#include "resource.h"

namespace {

const UINT kSliders[] = {IDC_VA_BRIGHTNESS, IDC_VA_CONTRAST, IDC_VA_HUE, IDC_VA_SATURATION, IDC_VA_SHARPNESS};
const UINT kEdits[] = {IDC_VA_BRIGHTNESS_TEXT, IDC_VA_CONTRAST_TEXT, IDC_VA_HUE_TEXT, IDC_VA_SATURATION_TEXT,
                       IDC_VA_SHARPNESS_TEXT};
const UINT kMinimums[] = {IDC_VA_BRIGHTNESS_MIN, IDC_VA_CONTRAST_MIN, IDC_VA_HUE_MIN, IDC_VA_SATURATION_MIN,
                          IDC_VA_SHARPNESS_MIN};
const UINT kMaximums[] = {IDC_VA_BRIGHTNESS_MAX, IDC_VA_CONTRAST_MAX, IDC_VA_HUE_MAX, IDC_VA_SATURATION_MAX,
                          IDC_VA_SHARPNESS_MAX};
// The controls an FM source has no use for.
const UINT kPictureOnly[] = {IDC_VA_SIZE, IDC_VA_HIGH_QUALITY, IDC_VA_USE_OVERLAY, IDC_VA_NOISE, IDC_VA_HALF_FRAME};
// Muting around a graph change keeps its click out of the speakers.
const DWORD kMuteWait = 100;

const CTVSystem::PropertyRange& Range(int set, int property)
{
    return set == CVideoAdjustDlg::kCardSet ? theTVSystem.GetPictureRange(property)
                                            : CTVSystem::GetOverlayRange(property);
}

void SetValue(int set, int property, int value)
{
    typedef int (CTVSystem::*Setter)(int);
    static const Setter card[] = {&CTVSystem::SetBrightness, &CTVSystem::SetContrast, &CTVSystem::SetHue,
                                  &CTVSystem::SetSaturation, &CTVSystem::SetSharpness};
    static const Setter overlay[] = {&CTVSystem::SetOverlayBri, &CTVSystem::SetOverlayCon, &CTVSystem::SetOverlayHue,
                                     &CTVSystem::SetOverlaySat, &CTVSystem::SetOverlaySha};
    (theTVSystem.*(set == CVideoAdjustDlg::kCardSet ? card : overlay)[property])(value);
}

void ShowNumber(CWnd* page, UINT id, int value)
{
    CString text;
    text.Format("%d", value);
    page->SetDlgItemText(id, text);
}

void Say(CWnd* owner, UINT text)
{
    CString message, caption;
    message.LoadString(text);
    caption.LoadString(IDS_PRODUCT);
    owner->MessageBox(message, caption, MB_ICONINFORMATION);
}

} // namespace

BEGIN_MESSAGE_MAP(CVideoAdjustDlg, CSetupPage)
    ON_WM_HSCROLL()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_VA_CARD_SET, OnChooseSet)
    ON_BN_CLICKED(IDC_VA_OVERLAY_SET, OnChooseSet)
    ON_BN_CLICKED(IDC_VA_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_VA_USE_OVERLAY, OnUseOverlay)
    ON_BN_CLICKED(IDC_VA_HALF_FRAME, OnHalfFrame)
    ON_BN_CLICKED(IDC_VA_NOISE, OnNoise)
    ON_BN_CLICKED(IDC_VA_HIGH_QUALITY, OnHighQuality)
    ON_CBN_SELCHANGE(IDC_VA_SIZE, OnSize)
    ON_BN_CLICKED(IDC_VA_TV_DESKTOP, OnTVDesktop)
END_MESSAGE_MAP()

CVideoAdjustDlg::CVideoAdjustDlg(CWnd* pParent)
    : CSetupPage(IDD_VIDEO_PAGE, pParent), m_card{5020, 2235, 5020, 4980, 1}, m_overlay{750, 10000, 0, 10000, 5}
{
}

void CVideoAdjustDlg::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_VA_CARD_SET, m_set);
    DDX_Check(pDX, IDC_VA_USE_OVERLAY, m_bOverlay);
    DDX_Check(pDX, IDC_VA_HALF_FRAME, m_bHalfFrame);
    DDX_Check(pDX, IDC_VA_NOISE, m_bNoise);
    DDX_Check(pDX, IDC_VA_HIGH_QUALITY, m_bHighQuality);
    DDX_Check(pDX, IDC_VA_TV_DESKTOP, m_bDesktop);
    for (int i = 0; i < CTVSettings::kPictureProperties; i++)
        DDX_Text(pDX, kEdits[i], m_shown[i]);
    DDX_Text(pDX, IDC_VA_NOISE_TEXT, m_noiseValue);
}

void CVideoAdjustDlg::LoadSettings()
{
    m_bHighQuality = theTVSystem.GetHightQuality();
    m_bHalfFrame = theTVSystem.GetHalfRate();
    m_bOverlay = theTVSystem.GetUseOverlay();
    m_bNoise = theTVSystem.GetNoiseReduce();
    m_noiseValue = theTVSystem.GetReduceValue();
    m_sizeIndex = theTVSystem.GetVideoSizeIndex();
    m_card[0] = theTVSystem.GetBrightness();
    m_card[1] = theTVSystem.GetContrast();
    m_card[2] = theTVSystem.GetHue();
    m_card[3] = theTVSystem.GetSaturation();
    m_card[4] = theTVSystem.GetSharpness();
    m_bDesktop = theTVSystem.GetOverlayDesktop();
    m_overlay[0] = theTVSystem.GetOverlayBri();
    m_overlay[1] = theTVSystem.GetOverlayCon();
    m_overlay[2] = theTVSystem.GetOverlayHue();
    m_overlay[3] = theTVSystem.GetOverlaySat();
    m_overlay[4] = theTVSystem.GetOverlaySha();
}

BOOL CVideoAdjustDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ((CSliderCtrl*)GetDlgItem(IDC_VA_NOISE_VALUE))->SetRange(0, 10);
    LoadSettings();
    ((CSliderCtrl*)GetDlgItem(IDC_VA_NOISE_VALUE))->SetPos(m_noiseValue);
    GetDlgItem(IDC_VA_NOISE_VALUE)->EnableWindow(m_bNoise);
    ShowSet();
    FillSizes();
    return TRUE;
}

void CVideoAdjustDlg::ShowSet()
{
    const int* values = EditedSet();
    for (int i = 0; i < CTVSettings::kPictureProperties; i++) {
        const CTVSystem::PropertyRange& range = Range(m_set, i);
        CSliderCtrl* slider = (CSliderCtrl*)GetDlgItem(kSliders[i]);
        slider->SetRange(range.minimum, range.maximum, TRUE);
        slider->SetPos(values[i]);
        ShowNumber(this, kMinimums[i], range.minimum);
        ShowNumber(this, kMaximums[i], range.maximum);
        m_shown[i] = values[i];
    }
    UpdateData(FALSE);
}

void CVideoAdjustDlg::FillSizes()
{
    CComboBox* sizes = (CComboBox*)GetDlgItem(IDC_VA_SIZE);
    sizes->ResetContent();
    BOOL frames25 = theTVSystem.GetGraph().Is50HzStandard();
    for (int i = 0;; i++) {
        SIZE size = CTVSystem::GetCaptureSizeRow(i, frames25);
        if (size.cx == 0)
            break;
        CString text;
        text.Format("%d*%d", (int)size.cx, (int)size.cy);
        sizes->AddString(text);
    }
    sizes->SetCurSel(m_sizeIndex);
    BOOL fm = theTVSystem.GetVideoSource() == CTVSystem::kSourceFm;
    for (UINT id : kPictureOnly)
        GetDlgItem(id)->EnableWindow(!fm);
    GetDlgItem(IDC_VA_TV_DESKTOP)->EnableWindow(m_bOverlay);
    ((CButton*)GetDlgItem(IDC_VA_TV_DESKTOP))->SetCheck(m_bDesktop ? BST_CHECKED : BST_UNCHECKED);
}

void CVideoAdjustDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CSetupPage::OnShowWindow(bShow, nStatus);
    FillSizes();
}

void CVideoAdjustDlg::OnHScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* pScrollBar)
{
    if ((nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK) || pScrollBar == NULL)
        return;
    int value = ((CSliderCtrl*)pScrollBar)->GetPos();
    UINT id = pScrollBar->GetDlgCtrlID();
    if (id == IDC_VA_NOISE_VALUE) {
        m_noiseValue = value;
        ShowNumber(this, IDC_VA_NOISE_TEXT, value);
        theTVSystem.SetReduceValue(value);
        return;
    }
    for (int i = 0; i < CTVSettings::kPictureProperties; i++) {
        if (kSliders[i] != id)
            continue;
        m_shown[i] = value;
        ShowNumber(this, kEdits[i], value);
        SetValue(m_set, i, value);
        EditedSet()[i] = value;
    }
}

void CVideoAdjustDlg::OnChooseSet()
{
    UpdateData(TRUE);
    if (m_set == kOverlaySet && !theTVSystem.IsOverlayInUse())
        Say(this, IDS_NO_OVERLAY);
    ShowSet();
}

void CVideoAdjustDlg::OnDefault()
{
    int* values = EditedSet();
    for (int i = 0; i < CTVSettings::kPictureProperties; i++)
        values[i] = Range(m_set, i).standard;
    if (m_set == kCardSet) {
        values[CTVSettings::kSharpness] = 1;
        theTVSystem.ResetVideoColors();
    } else {
        theTVSystem.ResetOverlayColors();
    }
    ShowSet();
}

void CVideoAdjustDlg::MuteAround(void (*action)(CVideoAdjustDlg*), CVideoAdjustDlg* page)
{
    theTVSystem.SetDeviceMute(TRUE);
    ::Sleep(kMuteWait);
    action(page);
    theTVSystem.SetDeviceMute(FALSE);
}

void CVideoAdjustDlg::OnUseOverlay()
{
    UpdateData(TRUE);
    GetDlgItem(IDC_VA_TV_DESKTOP)->EnableWindow(m_bOverlay);
    MuteAround([](CVideoAdjustDlg* page) {
        if (!theTVSystem.SwitchOverlay(page->m_bOverlay)) {
            CString text;
            text.LoadString(IDS_OVERLAY_FAILED);
            page->MessageBox(text, "Kavex");
        }
    }, this);
}

void CVideoAdjustDlg::OnHalfFrame()
{
    CWaitCursor wait;
    UpdateData(TRUE);
    theTVSystem.SetHalfRate(m_bHalfFrame);
}

void CVideoAdjustDlg::OnNoise()
{
    CWaitCursor wait;
    UpdateData(TRUE);
    GetDlgItem(IDC_VA_NOISE_VALUE)->EnableWindow(m_bNoise);
    theTVSystem.SetNoiseReduce(m_bNoise);
}

void CVideoAdjustDlg::OnHighQuality()
{
    CWaitCursor wait;
    UpdateData(TRUE);
    theTVSystem.SetHightQuality(m_bHighQuality);
}

void CVideoAdjustDlg::OnSize()
{
    m_sizeIndex = ((CComboBox*)GetDlgItem(IDC_VA_SIZE))->GetCurSel();
    MuteAround([](CVideoAdjustDlg* page) {
        {
            CWaitCursor wait;
            theTVSystem.SetCaptureSize(page->m_sizeIndex);
        }
        ::Sleep(kMuteWait);
    }, this);
}

void CVideoAdjustDlg::OnTVDesktop()
{
    MuteAround([](CVideoAdjustDlg* page) {
        CButton* button = (CButton*)page->GetDlgItem(IDC_VA_TV_DESKTOP);
        BOOL on = button->GetCheck() == BST_CHECKED;
        if (theTVSystem.SetOverlayDesktop(on))
            page->m_bDesktop = on;
        else
            button->SetCheck(on ? BST_UNCHECKED : BST_CHECKED);
    }, this);
}
