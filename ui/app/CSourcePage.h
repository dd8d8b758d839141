#pragma once

#include <afxwin.h>

#include "CSetupPage.h"

// The video source, the region and city of the channel tables, the sound devices and the video
// standard. Source, sound and standard changes act at once; the region choices are stored as
// the page goes.
class CSourcePage : public CSetupPage
{
public:
    explicit CSourcePage(CWnd* pParent = NULL);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

    // The countries whose regions have channel tables to choose from.
    static BOOL HasCityTables(const char* country);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void FillCities();
    void FillAudioInputs();
    void FillMixerPorts();
    void FillStandards();
    // The city's channel table names the TV channels when the use-city flag is on.
    void ApplyCity();

    afx_msg void OnSource();
    afx_msg void OnCountry();
    afx_msg void OnCity();
    afx_msg void OnAudioDevice();
    afx_msg void OnAudioInput();
    afx_msg void OnMixerDevice();
    afx_msg void OnMixerPort();
    afx_msg void OnStandard();
    DECLARE_MESSAGE_MAP()

    CComboBox m_source;
    CComboBox m_country;
    CComboBox m_city;
    CComboBox m_audioDevice;
    CComboBox m_audioInput;
    CComboBox m_mixerDevice;
    CComboBox m_mixerPort;
    CComboBox m_standard;
    BOOL m_bReservePrev = FALSE;
    BOOL m_bUseLocality = FALSE;

    int m_nSource = 0;
    CString m_strCity;
    CString m_strAudioDevice;
    CString m_strAudioInput;
    CString m_strMixerDevice;
    CString m_strMixerPort;
    CString m_strCountry;
};
