#include "CColorAdjustDlg.h"

#include "CControlPanelDlg.h"
#include "TVSettings.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

const int kProperties = CTVSettings::kPictureProperties;

int SetValue(int property, int value)
{
    typedef int (CTVSystem::*Setter)(int);
    static const Setter setters[] = {&CTVSystem::SetBrightness, &CTVSystem::SetContrast, &CTVSystem::SetHue,
                                     &CTVSystem::SetSaturation, &CTVSystem::SetSharpness};
    return (theTVSystem.*setters[property])(value);
}

} // namespace

BEGIN_MESSAGE_MAP(CColorAdjustDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_BN_CLICKED(IDC_CA_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_CA_HIDE, OnHide)
END_MESSAGE_MAP()

CColorAdjustDlg::CColorAdjustDlg() : CDialog(IDD_COLOR_ADJUST)
{
}

BOOL CColorAdjustDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_tip.Create(this)) {
        for (int i = 0; i < kProperties; i++)
            m_tip.AddTool(IDC_CA_BRIGHTNESS + i, (UINT)(IDS_TIP_BRIGHTNESS + i));
        m_tip.AddTool(IDC_CA_DEFAULT, (UINT)(IDS_TIP_BRIGHTNESS + kProperties));
        m_tip.AddTool(IDC_CA_HIDE, (UINT)IDS_TIP_HIDE_COLORS);
        m_tip.Activate(TRUE);
    }
    ShowValues();
    return TRUE;
}

void CColorAdjustDlg::ShowValues()
{
    const int values[kProperties] = {theTVSystem.GetBrightness(), theTVSystem.GetContrast(), theTVSystem.GetHue(),
                                     theTVSystem.GetSaturation(), theTVSystem.GetSharpness()};
    for (int i = 0; i < kProperties; i++) {
        CSliderCtrl* slider = (CSliderCtrl*)GetDlgItem(IDC_CA_BRIGHTNESS + i);
        if (slider == NULL)
            continue;
        const CTVSystem::PropertyRange& range = theTVSystem.GetPictureRange(i);
        slider->SetRange(range.minimum, range.maximum, TRUE);
        slider->SetPos(values[i]);
    }
}

void CColorAdjustDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow)
        ShowValues();
}

void CColorAdjustDlg::OnSlider(UINT nSBCode, CScrollBar* pScrollBar)
{
    if ((nSBCode != TB_THUMBTRACK && nSBCode != TB_ENDTRACK) || pScrollBar == NULL)
        return;
    int property = pScrollBar->GetDlgCtrlID() - IDC_CA_BRIGHTNESS;
    if (property >= 0 && property < kProperties)
        SetValue(property, ((CSliderCtrl*)pScrollBar)->GetPos());
}

void CColorAdjustDlg::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    OnSlider(nSBCode, pScrollBar);
}

void CColorAdjustDlg::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
{
    OnSlider(nSBCode, pScrollBar);
}

void CColorAdjustDlg::OnDefault()
{
    theTVSystem.ResetVideoColors();
    for (int i = 0; i < kProperties; i++) {
        if (CSliderCtrl* slider = (CSliderCtrl*)GetDlgItem(IDC_CA_BRIGHTNESS + i))
            slider->SetPos(i == CTVSettings::kSharpness ? 1 : theTVSystem.GetPictureRange(i).standard);
    }
}

void CColorAdjustDlg::OnHide()
{
    ShowWindow(SW_HIDE);
}

BOOL CColorAdjustDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.GetSafeHwnd() != NULL)
        m_tip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN) {
        // Posted, not sent: the panel's accelerators translate only what passes the loop.
        if (theControlPanel.GetSafeHwnd() != NULL)
            theControlPanel.PostMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}
