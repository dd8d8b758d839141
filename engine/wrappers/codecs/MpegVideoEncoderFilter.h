#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"
#include "MpegEncoderInterfaces.h"

// The codec vendor's separate MPEG video encoder: its settings record and numbered parameters.
// Registered, never requested.
class CMpegVideoEncoderFilter : public CFilterWrapper
{
public:
    CMpegVideoEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegVideoEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegVideoEncoderFilter() override;

    BOOL Init() override;

    enum { kRecordSize = 877, kBitsByte = 812 };

    BOOL GetSettings(BYTE* record);
    BOOL SetSettings(const BYTE* record);
    BOOL GetPresetDefaults(int type, BOOL frames25, BYTE* record);
    BOOL GetParam(LONG id, int* value);
    BOOL SetParam(LONG id, int value);
    // Reads the record, puts value into bits 1-4 of byte 812 and writes the record back.
    BOOL SetVideoRecordBits(int value);

private:
    CComRef<IMpegVideoEncoder> m_encoder;
    CComRef<IMpegParams> m_params;
};
