#include "TvAudioWrapper.h"

CTvAudioWrapper::CTvAudioWrapper(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CTvAudioWrapper::CTvAudioWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CTvAudioWrapper::~CTvAudioWrapper() = default;

BOOL CTvAudioWrapper::Init()
{
    m_tvAudio.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IAMTVAudio, m_tvAudio.ReceiveVoid()));
}

BOOL CTvAudioWrapper::GetTVAudioMode(long* mode)
{
    return SUCCEEDED(m_tvAudio->get_TVAudioMode(mode));
}

BOOL CTvAudioWrapper::GetAvailableTVAudioModes(long* modes)
{
    return SUCCEEDED(m_tvAudio->GetAvailableTVAudioModes(modes));
}

BOOL CTvAudioWrapper::GetHardwareSupportedTVAudioModes(long* modes)
{
    return SUCCEEDED(m_tvAudio->GetHardwareSupportedTVAudioModes(modes));
}

BOOL CTvAudioWrapper::SetTVAudioMode(long mode)
{
    return SUCCEEDED(m_tvAudio->put_TVAudioMode(mode));
}
