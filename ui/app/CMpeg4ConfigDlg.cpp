#include "CMpeg4ConfigDlg.h"

#include "XvidSettings.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CMpeg4ConfigDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_MPEG4_MODE, OnMode)
    ON_WM_HSCROLL()
    ON_EN_CHANGE(IDC_MPEG4_RATE, OnRateChange)
    ON_BN_CLICKED(IDC_MPEG4_DEFAULT, OnDefault)
END_MESSAGE_MAP()

CMpeg4ConfigDlg::CMpeg4ConfigDlg(CWnd* pParent) : CDialog(IDD_MPEG4_CONFIG, pParent)
{
}

void CMpeg4ConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MPEG4_MODE, m_mode);
    DDX_Control(pDX, IDC_MPEG4_SLIDER, m_slider);
    DDX_Text(pDX, IDC_MPEG4_RATE, m_nValue);
}

BOOL CMpeg4ConfigDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nMode = theXvidSettings.GetMode() == kModeVbr ? kRowVbr : kRowCbr;
    m_nBitrate = (int)theXvidSettings.GetBitrate();
    m_nQuant = (int)theXvidSettings.GetQuant();
    m_mode.AddString("CBR");
    m_mode.AddString("VBR");
    ShowMode();
    return TRUE;
}

// The slider's range and the value shown are the mode's own.
void CMpeg4ConfigDlg::ShowMode()
{
    m_mode.SetCurSel(m_nMode);
    m_slider.SetRange(1, Maximum(), TRUE);
    m_slider.SetPos(Value());
    m_nValue = Value();
    m_bShowing = TRUE;
    UpdateData(FALSE);
    m_bShowing = FALSE;
}

void CMpeg4ConfigDlg::OnMode()
{
    int row = m_mode.GetCurSel();
    if (row < 0 || row == m_nMode)
        return;
    m_nMode = row;
    ShowMode();
}

void CMpeg4ConfigDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if ((CWnd*)pScrollBar == (CWnd*)&m_slider) {
        Value() = m_slider.GetPos();
        m_nValue = Value();
        m_bShowing = TRUE;
        UpdateData(FALSE);
        m_bShowing = FALSE;
    }
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
}

// A value past the mode's maximum, or 0, is put right in the edit as it is typed.
void CMpeg4ConfigDlg::OnRateChange()
{
    if (m_bShowing || m_slider.GetSafeHwnd() == NULL)
        return;
    CString text;
    GetDlgItem(IDC_MPEG4_RATE)->GetWindowText(text);
    int value = atoi(text);
    if (text.IsEmpty())
        return;
    int clamped = value < 1 ? 1 : (value > Maximum() ? Maximum() : value);
    Value() = clamped;
    m_slider.SetPos(clamped);
    if (clamped != value) {
        m_nValue = clamped;
        m_bShowing = TRUE;
        UpdateData(FALSE);
        m_bShowing = FALSE;
    }
}

void CMpeg4ConfigDlg::OnDefault()
{
    m_nMode = kRowVbr;
    m_nBitrate = kDefaultBitrate;
    m_nQuant = kDefaultQuant;
    theXvidSettings.SetDefaults();
    ShowMode();
}

void CMpeg4ConfigDlg::OnOK()
{
    theXvidSettings.SetMode(m_nMode == kRowVbr ? kModeVbr : kModeCbr);
    theXvidSettings.SetBitrate(m_nBitrate);
    theXvidSettings.SetQuant(m_nQuant);
    EndDialog(IDOK);
}
