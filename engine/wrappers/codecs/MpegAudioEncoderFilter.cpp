#include "MpegAudioEncoderFilter.h"

CMpegAudioEncoderFilter::CMpegAudioEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegAudioEncoderFilter::CMpegAudioEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegAudioEncoderFilter::~CMpegAudioEncoderFilter() = default;

BOOL CMpegAudioEncoderFilter::Init()
{
    m_encoder.Reset();
    m_params.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IMpegAudioEncoder, m_encoder.ReceiveVoid())) &&
           SUCCEEDED(GetFilter()->QueryInterface(IID_IMpegAudioParams, m_params.ReceiveVoid()));
}

BOOL CMpegAudioEncoderFilter::GetSettings(BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->GetSettings(record));
}

BOOL CMpegAudioEncoderFilter::SetSettings(const BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->SetSettings(record));
}

BOOL CMpegAudioEncoderFilter::GetPresetDefaults(int type, BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->GetPresetDefaults(type, record));
}

BOOL CMpegAudioEncoderFilter::GetParam(LONG id, int* value)
{
    return m_params && SUCCEEDED(m_params->GetParam(id, value));
}

BOOL CMpegAudioEncoderFilter::SetParam(LONG id, int value)
{
    return m_params && SUCCEEDED(m_params->SetParam(id, value));
}
