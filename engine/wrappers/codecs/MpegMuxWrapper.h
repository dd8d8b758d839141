#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"
#include "MpegEncoderInterfaces.h"
#include "MuxSettingsRef.h"

#include <dshow.h>

// The suite's own MPEG multiplexer filter, wrapped as the codec vendor's: settings record and
// type, numbered parameters and the output file. Valid only with all three interfaces; its inputs
// come and go as they are connected. Registered, never requested.
class CMpegMuxWrapper : public CFilterWrapper
{
public:
    CMpegMuxWrapper(CGraphBuilder* graph, REFCLSID clsid);
    CMpegMuxWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegMuxWrapper() override;

    BOOL Init() override;

    BOOL GetMuxType(int* type);
    BOOL SetMuxType(int type);
    BOOL GetSettings(BYTE* record);
    BOOL SetSettings(const BYTE* record);
    BOOL GetPresetDefaults(int type, BYTE* record);
    BOOL LoadPreset(int type);
    BOOL GetParam(LONG id, int* value);
    BOOL SetParam(LONG id, int value);
    BOOL SetFileName(const char* name);
    BOOL GetFileName(char* buffer, int size);

private:
    CMuxSettingsRef m_settings;
    CComRef<IMpegParams> m_params;
    CComRef<IFileSinkFilter> m_sink;
};
