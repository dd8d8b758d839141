#include "CRegionPage.h"

#include "TVSystem.h"
#include "resource.h"

namespace {

CString SelectedText(CComboBox& combo)
{
    CString text;
    int row = combo.GetCurSel();
    if (row >= 0)
        combo.GetLBText(row, text);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CRegionPage, CSourcePage)
    ON_CBN_SELCHANGE(IDC_COUNTRY, OnRegionCountry)
    ON_CBN_SELCHANGE(IDC_CITY, OnRegionCity)
    ON_CBN_SELCHANGE(IDC_AUDIO_DEVICE, OnRegionAudioDevice)
    ON_CBN_SELCHANGE(IDC_VIDEO_STANDARD, OnRegionStandard)
END_MESSAGE_MAP()

CRegionPage::CRegionPage(CWnd* pParent) : CSourcePage(pParent)
{
}

// The device page's controls, less the video source this page does not offer.
void CRegionPage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COUNTRY, m_country);
    DDX_Control(pDX, IDC_CITY, m_city);
    DDX_Control(pDX, IDC_AUDIO_DEVICE, m_audioDevice);
    DDX_Control(pDX, IDC_AUDIO_INPUT, m_audioInput);
    DDX_Control(pDX, IDC_MIXER_DEVICE, m_mixerDevice);
    DDX_Control(pDX, IDC_MIXER_PORT, m_mixerPort);
    DDX_Control(pDX, IDC_VIDEO_STANDARD, m_standard);
    DDX_Check(pDX, IDC_RESERVE_PREV, m_bReservePrev);
    DDX_Check(pDX, IDC_USE_LOCALITY, m_bUseLocality);
}

void CRegionPage::OnRegionCountry()
{
    m_strCountry = SelectedText(m_country);
    m_strCity.Empty();
    FillCities();
    if (m_city.GetCount() > 0) {
        m_city.SetCurSel(0);
        m_city.GetLBText(0, m_strCity);
    }
}

void CRegionPage::OnRegionCity()
{
    m_strCity = SelectedText(m_city);
}

void CRegionPage::OnRegionAudioDevice()
{
    CString name = SelectedText(m_audioDevice);
    if (name == theTVSystem.GetAudioDevice())
        return;
    CWaitCursor wait;
    if (theTVSystem.SetAudioDevice(name))
        m_strAudioDevice = name;
}

void CRegionPage::OnRegionStandard()
{
    int row = m_standard.GetCurSel();
    if (row < 0)
        return;
    long standard = (long)m_standard.GetItemData(row);
    if (standard != theTVSystem.GetGraph().GetVideoStandard())
        theTVSystem.GetGraph().SetVideoStandard(standard);
}
