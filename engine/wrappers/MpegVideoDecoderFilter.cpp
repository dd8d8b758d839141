#include "MpegVideoDecoderFilter.h"

#include <string.h>

namespace
{
const LONG kPostProcessing = 32;
const int kWord4Offset = 16;

// Output formats as Init leaves them, switched in this order.
struct FormatSwitch
{
    DWORD fourcc;
    DWORD enable;
};
const FormatSwitch kFormatSwitches[] = {
    {MAKEFOURCC('Y', 'U', 'Y', '2'), 1}, {MAKEFOURCC('B', 'G', 'R', '4'), 0}, {MAKEFOURCC('B', 'G', 'R', '3'), 0},
    {MAKEFOURCC('R', '5', '5', '5'), 0}, {MAKEFOURCC('R', '5', '6', '5'), 0}, {MAKEFOURCC('U', 'Y', 'V', 'Y'), 0},
    {MAKEFOURCC('Y', 'V', '1', '2'), 0},
};
}

CMpegVideoDecoderFilter::CMpegVideoDecoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegVideoDecoderFilter::CMpegVideoDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegVideoDecoderFilter::~CMpegVideoDecoderFilter()
{
    ReleaseInterfaces();
}

void CMpegVideoDecoderFilter::ReleaseInterfaces()
{
    m_params.Reset();
    m_formats.Reset();
}

BOOL CMpegVideoDecoderFilter::Init()
{
    ReleaseInterfaces();
    if (!CFilterWrapper::Init())
        return FALSE;
    if (FAILED(Check("QueryInterface IMpegDecoderParams",
                     GetFilter()->QueryInterface(IID_IMpegDecoderParams, m_params.ReceiveVoid()))) ||
        FAILED(Check("QueryInterface IMpegDecoderFormats",
                     GetFilter()->QueryInterface(IID_IMpegDecoderFormats, m_formats.ReceiveVoid()))))
        return FALSE;
    for (size_t i = 0; i < sizeof(kFormatSwitches) / sizeof(kFormatSwitches[0]); ++i) {
        if (!EnableFormat(kFormatSwitches[i].fourcc, kFormatSwitches[i].enable))
            return FALSE;
    }
    return SetParam(kPostProcessing, 0);
}

BOOL CMpegVideoDecoderFilter::GetParam(LONG id, int* value)
{
    return m_params && SUCCEEDED(Check("GetParam", m_params->GetParam(id, value)));
}

BOOL CMpegVideoDecoderFilter::SetParam(LONG id, int value)
{
    return m_params && SUCCEEDED(Check("SetParam", m_params->SetParam(id, value)));
}

BOOL CMpegVideoDecoderFilter::FormatsMethod3(DWORD fourcc, DWORD value)
{
    return m_formats && SUCCEEDED(Check("Method3", m_formats->Method3(fourcc, value)));
}

BOOL CMpegVideoDecoderFilter::FormatsMethod4(DWORD fourcc, DWORD value)
{
    return m_formats && SUCCEEDED(Check("Method4", m_formats->Method4(fourcc, value)));
}

BOOL CMpegVideoDecoderFilter::EnableFormat(DWORD fourcc, DWORD enable)
{
    return m_formats && SUCCEEDED(Check("EnableFormat", m_formats->EnableFormat(fourcc, enable)));
}

BOOL CMpegVideoDecoderFilter::GetConfig(BYTE* record)
{
    return m_formats && SUCCEEDED(Check("GetConfig", m_formats->GetConfig(record)));
}

BOOL CMpegVideoDecoderFilter::SetConfig(const BYTE* record)
{
    return m_formats && SUCCEEDED(Check("SetConfig", m_formats->SetConfig(record)));
}

BOOL CMpegVideoDecoderFilter::GetConfigWord4(int* value)
{
    BYTE record[kConfigSize];
    if (value == NULL || !GetConfig(record))
        return FALSE;
    memcpy(value, record + kWord4Offset, sizeof(*value));
    return TRUE;
}

BOOL CMpegVideoDecoderFilter::SetConfigWord4(int value)
{
    BYTE record[kConfigSize];
    if (!GetConfig(record))
        return FALSE;
    memcpy(record + kWord4Offset, &value, sizeof(value));
    return SetConfig(record);
}
