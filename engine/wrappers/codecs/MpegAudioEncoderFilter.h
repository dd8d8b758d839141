#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"
#include "MpegEncoderInterfaces.h"

// The codec vendor's separate MPEG audio encoder: its settings record and numbered parameters.
// Registered, never requested.
class CMpegAudioEncoderFilter : public CFilterWrapper
{
public:
    CMpegAudioEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegAudioEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegAudioEncoderFilter() override;

    BOOL Init() override;

    BOOL GetSettings(BYTE* record);
    BOOL SetSettings(const BYTE* record);
    BOOL GetPresetDefaults(int type, BYTE* record);
    BOOL GetParam(LONG id, int* value);
    BOOL SetParam(LONG id, int value);

private:
    CComRef<IMpegAudioEncoder> m_encoder;
    CComRef<IMpegParams> m_params;
};
