#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// The Ligos capture encoder: each operation forwards to one method of its interface and returns
// the HRESULT, E_POINTER without the interface. Registered, never requested.
class CCaptureEncoderFilter : public CFilterWrapper
{
public:
    CCaptureEncoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CCaptureEncoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CCaptureEncoderFilter() override;

    BOOL Init() override;

    enum { kSettingsSize = 228 };

    HRESULT GetSettings(BYTE* record);
    HRESULT SetSettings(const BYTE* record);
    HRESULT SetOutputFile(const char* path);
    HRESULT Start();
    HRESULT Stop();
    HRESULT Pause(BOOL pause);
    HRESULT GetStatus(LONG* status);
    HRESULT GetParam(LONG id, LONG* value);
    HRESULT SetParam(LONG id, LONG value);

    // The encoder's default settings record (228 bytes); returns 0.
    static int DefaultEncoderSettings(BYTE* record);

private:
    CComRef<IGoMotionEncoder> m_encoder;
};
