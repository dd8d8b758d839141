#include "SimTunerCard.h"

#include <string>

namespace {

// The decoder of the card whose model scans in this process; the scan thread asks it.
IAMAnalogVideoDecoder* g_decoder = NULL;

} // namespace

HRESULT SimSignalDevice::IsSignalLocked(long* locked)
{
    return g_decoder ? g_decoder->get_HorizontalLocked(locked) : E_FAIL;
}

SimTunerCard::SimTunerCard(DWORD card) : m_card(card), m_control(card)
{
}

SimTunerCard::~SimTunerCard()
{
    if (g_decoder == m_decoder.Get())
        g_decoder = NULL;
    m_access.Attach(NULL, NULL);
    m_decoder.Reset();
    m_capture.Reset();
    m_tuner.Reset();
    // Other programs of the prefix list the devices: leave only the cards they expect.
    SimControl::Install(FALSE, InstallLine().c_str());
}

std::wstring SimTunerCard::InstallLine() const
{
    return L"card=" + std::to_wstring(m_card);
}

HRESULT SimTunerCard::Open(const std::wstring& values)
{
    std::wstring line = InstallLine();
    SimControl::Install(FALSE, line.c_str());
    if (!values.empty())
        line += L";" + values;
    HRESULT hr = SimControl::Install(TRUE, line.c_str());
    if (FAILED(hr))
        return hr;
    m_tuner = SimDevices::Bind(AM_KSCATEGORY_TVTUNER, "Conexant 2388x_1 Tuner", m_card);
    m_capture = SimDevices::Bind(CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture", m_card);
    if (!m_tuner || !m_capture)
        return E_FAIL;
    hr = m_capture->QueryInterface(IID_IAMAnalogVideoDecoder, m_decoder.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    // The card may be live from an earlier run: back to the instance values just written.
    hr = m_control.Run("reset");
    if (FAILED(hr))
        return hr;
    g_decoder = m_decoder.Get();
    return m_access.Attach(m_tuner.Get(), NULL);
}
