#include "CSourcePage.h"

#include "CControlPanelDlg.h"
#include "TVSystem.h"
#include "resource.h"

namespace {

// PAL_B, offered alone when the tuner cannot list its standards.
const long kPalB = 16;
const long kLineStandards[] = {CTVGraph::kNtscM, CTVGraph::kNtscMJ, CTVGraph::kNtsc433};

void FillCombo(CComboBox& combo, const CStringArray& names)
{
    combo.ResetContent();
    for (int i = 0; i < names.GetSize(); i++)
        combo.AddString(names[i]);
}

// The row of exactly that text; -1 when none.
int FindExact(CComboBox& combo, const CString& text)
{
    return text.IsEmpty() ? -1 : combo.FindStringExact(-1, text);
}

CString SelectedText(CComboBox& combo)
{
    CString text;
    int row = combo.GetCurSel();
    if (row >= 0)
        combo.GetLBText(row, text);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CSourcePage, CSetupPage)
    ON_CBN_SELCHANGE(IDC_SOURCE, OnSource)
    ON_CBN_SELCHANGE(IDC_COUNTRY, OnCountry)
    ON_CBN_SELCHANGE(IDC_CITY, OnCity)
    ON_CBN_SELCHANGE(IDC_AUDIO_DEVICE, OnAudioDevice)
    ON_CBN_SELCHANGE(IDC_AUDIO_INPUT, OnAudioInput)
    ON_CBN_SELCHANGE(IDC_MIXER_DEVICE, OnMixerDevice)
    ON_CBN_SELCHANGE(IDC_MIXER_PORT, OnMixerPort)
    ON_CBN_SELCHANGE(IDC_VIDEO_STANDARD, OnStandard)
END_MESSAGE_MAP()

CSourcePage::CSourcePage(CWnd* pParent) : CSetupPage(IDD_SOURCE_PAGE, pParent)
{
}

BOOL CSourcePage::HasCityTables(const char* country)
{
    CString name(country);
    return name.CompareNoCase("中国") == 0 || name.CompareNoCase("中国广东东南沿海") == 0;
}

void CSourcePage::DoDataExchange(CDataExchange* pDX)
{
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE, m_source);
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

void CSourcePage::LoadSettings()
{
    m_bReservePrev = theTVSystem.GetReservePrev();
    m_bUseLocality = theTVSystem.GetUseLocality();
    m_strCity = theTVSystem.GetProvince();
    m_nSource = theTVSystem.GetVideoSource();
    m_strAudioDevice = theTVSystem.GetAudioDevice();
    m_strAudioInput = theTVSystem.GetAudioInput();
    m_strMixerDevice = theTVSystem.GetAudioPlayDev();
    m_strMixerPort = theTVSystem.GetAudioPlayInput();
    m_strCountry = theTVSystem.GetCountry();
}

BOOL CSourcePage::OnInitDialog()
{
    CDialog::OnInitDialog();
    LoadSettings();

    int sources = theTVSystem.HasFM() ? 4 : 3;
    for (int source = 0; source < sources; source++)
        m_source.SetItemData(m_source.AddString(CTVSystem::GetSourceName(source)), source);
    const CStringList& countries = theTVSystem.GetCountries();
    for (POSITION pos = countries.GetHeadPosition(); pos != NULL;)
        m_country.AddString(countries.GetNext(pos));
    m_country.SetCurSel(FindExact(m_country, m_strCountry));
    FillCities();

    m_source.SetCurSel(-1);
    for (int row = 0; row < m_source.GetCount(); row++)
        if ((int)m_source.GetItemData(row) == m_nSource)
            m_source.SetCurSel(row);

    FillCombo(m_audioDevice, theTVSystem.GetAudioDeviceList());
    m_audioDevice.SetCurSel(FindExact(m_audioDevice, m_strAudioDevice));
    FillAudioInputs();
    FillCombo(m_mixerDevice, theTVSystem.GetMixerDeviceList());
    int mixer = FindExact(m_mixerDevice, m_strMixerDevice);
    if (mixer < 0 && m_mixerDevice.GetCount() > 0) {
        m_mixerDevice.SetCurSel(0);
        OnMixerDevice();
    } else {
        m_mixerDevice.SetCurSel(mixer);
        FillMixerPorts();
    }

    FillStandards();
    UpdateData(FALSE);
    return TRUE;
}

// The region list belongs to the country; it is offered only where cities have tables.
void CSourcePage::FillCities()
{
    theTVSystem.ReadProvinces(m_strCountry);
    m_city.ResetContent();
    if (!HasCityTables(m_strCountry))
        return;
    const CStringList& cities = theTVSystem.GetProvinces();
    for (POSITION pos = cities.GetHeadPosition(); pos != NULL;)
        m_city.AddString(cities.GetNext(pos));
    int row = FindExact(m_city, m_strCity);
    if (row < 0 && m_city.GetCount() > 0) {
        row = 0;
        m_city.GetLBText(0, m_strCity);
    }
    m_city.SetCurSel(row);
}

// A stored input the device does not have gives way to its first, which is applied.
void CSourcePage::FillAudioInputs()
{
    FillCombo(m_audioInput, theTVSystem.GetAudioInputList());
    int row = FindExact(m_audioInput, m_strAudioInput);
    if (row < 0 && m_audioInput.GetCount() > 0) {
        m_audioInput.SetCurSel(0);
        OnAudioInput();
    } else {
        m_audioInput.SetCurSel(row);
    }
}

void CSourcePage::FillMixerPorts()
{
    FillCombo(m_mixerPort, theTVSystem.GetMixerPortList());
    int row = FindExact(m_mixerPort, m_strMixerPort);
    if (row < 0 && m_mixerPort.GetCount() > 0) {
        m_mixerPort.SetCurSel(0);
        OnMixerPort();
    } else {
        m_mixerPort.SetCurSel(row);
    }
}

void CSourcePage::FillStandards()
{
    CTVGraph& graph = theTVSystem.GetGraph();
    int source = graph.GetVideoSource();
    m_standard.ResetContent();
    if (source == CTVGraph::kFm) {
        m_standard.EnableWindow(FALSE);
        return;
    }
    std::vector<int> standards = graph.GetSupportedStandards();
    if (standards.empty())
        standards.push_back(kPalB);
    if (source == CTVGraph::kComposite || source == CTVGraph::kSVideo)
        for (long standard : kLineStandards)
            standards.push_back((int)standard);
    long current = graph.GetVideoStandard();
    int selected = 0;
    for (int standard : standards) {
        const char* name = CTVSystem::GetStandardName(standard);
        int row = m_standard.AddString(name ? name : "");
        m_standard.SetItemData(row, (DWORD_PTR)standard);
        if (standard == current)
            selected = row;
    }
    m_standard.SetCurSel(selected);
    // This card lets the line inputs take any standard, so the list is never fixed.
    m_standard.EnableWindow(TRUE);
}

void CSourcePage::ApplyCity()
{
    if (theTVSystem.GetUseLocality())
        theTVSystem.ApplyCityTable(m_strCity);
}

void CSourcePage::OnSource()
{
    if (theTVSystem.IsRecording() || theTVSystem.IsScanning())
        return;
    int row = m_source.GetCurSel();
    if (row < 0)
        return;
    int source = (int)m_source.GetItemData(row);
    if (source == m_nSource || source == theTVSystem.GetVideoSource())
        return;
    CWaitCursor wait;
    m_nSource = source;
    theTVSystem.SetVideoSource(source);
    theControlPanel.ApplySource();
    FillStandards();
    // The new input takes the picture values the old one had.
    theTVSystem.SetBrightness(theTVSystem.GetBrightness());
    theTVSystem.SetContrast(theTVSystem.GetContrast());
    theTVSystem.SetSharpness(theTVSystem.GetSharpness());
    theTVSystem.SetHue(theTVSystem.GetHue());
}

void CSourcePage::OnCountry()
{
    m_strCountry = SelectedText(m_country);
    m_strCity.Empty();
    FillCities();
    if (m_city.GetCount() > 0) {
        m_city.SetCurSel(0);
        m_city.GetLBText(0, m_strCity);
        ApplyCity();
    }
}

void CSourcePage::OnCity()
{
    m_strCity = SelectedText(m_city);
    ApplyCity();
}

void CSourcePage::OnAudioDevice()
{
    CString name = SelectedText(m_audioDevice);
    if (name == theTVSystem.GetAudioDevice())
        return;
    CWaitCursor wait;
    if (!theTVSystem.SetAudioDevice(name))
        return;
    m_strAudioDevice = name;
    m_strAudioInput = theTVSystem.GetAudioInput();
    FillAudioInputs();
}

void CSourcePage::OnAudioInput()
{
    m_strAudioInput = SelectedText(m_audioInput);
    theTVSystem.SetAudioInput(m_strAudioInput);
    int port = FindExact(m_mixerPort, m_strAudioInput);
    if (port >= 0) {
        m_mixerPort.SetCurSel(port);
        OnMixerPort();
    }
}

void CSourcePage::OnMixerDevice()
{
    m_strMixerDevice = SelectedText(m_mixerDevice);
    theTVSystem.SetAudioPlayDev(m_strMixerDevice);
    FillMixerPorts();
}

void CSourcePage::OnMixerPort()
{
    m_strMixerPort = SelectedText(m_mixerPort);
    theTVSystem.SetAudioPlayInput(m_strMixerPort);
}

void CSourcePage::OnStandard()
{
    int row = m_standard.GetCurSel();
    if (row < 0)
        return;
    long standard = (long)m_standard.GetItemData(row);
    CTVGraph& graph = theTVSystem.GetGraph();
    if (standard == graph.GetVideoStandard())
        return;
    graph.GetBuilder().StopAndDisconnectAll();
    graph.SetVideoStandard(standard);
    graph.AdjustCaptureSize();
    theTVSystem.SetCaptureSize(theTVSystem.GetVideoSizeIndex());
    theTVSystem.RebuildPreview();
}

BOOL CSourcePage::SaveSettings()
{
    theTVSystem.SetUseLocality(m_bUseLocality);
    theTVSystem.SetReservePrev(m_bReservePrev);
    theTVSystem.SetProvince(m_strCity);
    if (m_strCountry != theTVSystem.GetCountry())
        theTVSystem.SetCountry(m_strCountry);
    return TRUE;
}
