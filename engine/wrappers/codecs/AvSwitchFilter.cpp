#include "AvSwitchFilter.h"

CAvSwitchFilter::CAvSwitchFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CAvSwitchFilter::CAvSwitchFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CAvSwitchFilter::~CAvSwitchFilter() = default;

BOOL CAvSwitchFilter::Init()
{
    m_switch.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IAvSwitch, m_switch.ReceiveVoid()));
}

BOOL CAvSwitchFilter::SetAudioMute(BOOL mute)
{
    return m_switch && m_switch->SetAudioMute(mute ? VARIANT_TRUE : VARIANT_FALSE) == S_OK;
}

BOOL CAvSwitchFilter::GetAudioMute(BOOL* mute)
{
    VARIANT_BOOL value = VARIANT_FALSE;
    if (!m_switch || mute == NULL || m_switch->GetAudioMute(&value) != S_OK)
        return FALSE;
    *mute = (WORD)value != 0;
    return TRUE;
}
