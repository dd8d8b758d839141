#include "MpegVideoEncoderFilter.h"

#include <string.h>
#include <vector>

CMpegVideoEncoderFilter::CMpegVideoEncoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegVideoEncoderFilter::CMpegVideoEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegVideoEncoderFilter::~CMpegVideoEncoderFilter() = default;

BOOL CMpegVideoEncoderFilter::Init()
{
    m_encoder.Reset();
    m_params.Reset();
    if (!CFilterWrapper::Init())
        return FALSE;
    return SUCCEEDED(GetFilter()->QueryInterface(IID_IMpegVideoEncoder, m_encoder.ReceiveVoid())) &&
           SUCCEEDED(GetFilter()->QueryInterface(IID_IMpegVideoParams, m_params.ReceiveVoid()));
}

BOOL CMpegVideoEncoderFilter::GetSettings(BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->GetSettings(record));
}

BOOL CMpegVideoEncoderFilter::SetSettings(const BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->SetSettings(record));
}

BOOL CMpegVideoEncoderFilter::GetPresetDefaults(int type, BOOL frames25, BYTE* record)
{
    return m_encoder && SUCCEEDED(m_encoder->GetPresetDefaults(type, frames25, record));
}

BOOL CMpegVideoEncoderFilter::GetParam(LONG id, int* value)
{
    return m_params && SUCCEEDED(m_params->GetParam(id, value));
}

BOOL CMpegVideoEncoderFilter::SetParam(LONG id, int value)
{
    return m_params && SUCCEEDED(m_params->SetParam(id, value));
}

BOOL CMpegVideoEncoderFilter::SetVideoRecordBits(int value)
{
    std::vector<BYTE> record(kRecordSize);
    if (!GetSettings(record.data()))
        return FALSE;
    record[kBitsByte] = (BYTE)((record[kBitsByte] & 0xE1) | (value << 1));
    return SetSettings(record.data());
}
