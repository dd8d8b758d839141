#include "MpegMuxWrapper.h"

#include "FileSinkName.h"

CMpegMuxWrapper::CMpegMuxWrapper(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegMuxWrapper::CMpegMuxWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegMuxWrapper::~CMpegMuxWrapper() = default;

BOOL CMpegMuxWrapper::Init()
{
    m_settings.Reset();
    m_params.Reset();
    m_sink.Reset();
    SetDynamicPins(TRUE);
    if (!CFilterWrapper::Init())
        return FALSE;
    IBaseFilter* filter = GetFilter();
    return m_settings.Attach(filter) &&
           SUCCEEDED(filter->QueryInterface(IID_IMpegMuxParams, m_params.ReceiveVoid())) &&
           SUCCEEDED(filter->QueryInterface(IID_IFileSinkFilter, m_sink.ReceiveVoid()));
}

BOOL CMpegMuxWrapper::GetMuxType(int* type)
{
    return m_settings.GetMuxType(type);
}

BOOL CMpegMuxWrapper::SetMuxType(int type)
{
    return m_settings.SetMuxType(type);
}

BOOL CMpegMuxWrapper::GetSettings(BYTE* record)
{
    return m_settings.GetSettings(record);
}

BOOL CMpegMuxWrapper::SetSettings(const BYTE* record)
{
    return m_settings.SetSettings(record);
}

BOOL CMpegMuxWrapper::GetPresetDefaults(int type, BYTE* record)
{
    return m_settings.GetPresetDefaults(type, record);
}

BOOL CMpegMuxWrapper::LoadPreset(int type)
{
    return m_settings.LoadPreset(type);
}

BOOL CMpegMuxWrapper::GetParam(LONG id, int* value)
{
    return m_params && SUCCEEDED(m_params->GetParam(id, value));
}

BOOL CMpegMuxWrapper::SetParam(LONG id, int value)
{
    return m_params && SUCCEEDED(m_params->SetParam(id, value));
}

BOOL CMpegMuxWrapper::SetFileName(const char* name)
{
    return CFileSinkName::Set(m_sink.Get(), name);
}

BOOL CMpegMuxWrapper::GetFileName(char* buffer, int size)
{
    return CFileSinkName::Get(m_sink.Get(), buffer, size);
}
