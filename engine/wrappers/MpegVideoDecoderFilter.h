#pragma once

#include "FilterWrapper.h"
#include "TimeShiftInterfaces.h"

// The codec vendor's MPEG video decoder. Init restricts its output to YUY2 (which the AVI
// Decompressor turns into what the renderer takes) and switches post-processing off; a
// decoder that refuses one of those switches gives an invalid wrapper.
class CMpegVideoDecoderFilter : public CFilterWrapper
{
public:
    enum { kConfigSize = 40 };

    CMpegVideoDecoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegVideoDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegVideoDecoderFilter() override;

    BOOL Init() override;

    BOOL GetParam(LONG id, int* value);
    BOOL SetParam(LONG id, int value);
    BOOL FormatsMethod3(DWORD fourcc, DWORD value);
    BOOL FormatsMethod4(DWORD fourcc, DWORD value);
    BOOL EnableFormat(DWORD fourcc, DWORD enable);
    BOOL GetConfig(BYTE* record);
    BOOL SetConfig(const BYTE* record);
    // The fifth 32-bit word of the configuration record.
    BOOL GetConfigWord4(int* value);
    BOOL SetConfigWord4(int value);

private:
    void ReleaseInterfaces();

    CComRef<IMpegDecoderParams> m_params;
    CComRef<IMpegDecoderFormats> m_formats;
};
