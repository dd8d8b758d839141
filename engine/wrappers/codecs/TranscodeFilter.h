#pragma once

#include "FilterWrapper.h"
#include "CodecInterfaces.h"
#include "ComRef.h"

// The Ligos transcode sample: each operation forwards to one method of its interface and returns
// the HRESULT, E_POINTER without the interface. Registered, never requested.
class CTranscodeFilter : public CFilterWrapper
{
public:
    CTranscodeFilter(CGraphBuilder* graph, REFCLSID clsid);
    CTranscodeFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CTranscodeFilter() override;

    BOOL Init() override;

    HRESULT SetInputFile(const char* path);
    HRESULT GetSettings(BYTE* record);
    HRESULT SetSettings(const BYTE* record);
    HRESULT Start();
    HRESULT Stop();
    HRESULT GetProgress(LONG* percent);
    // The sample offers no way to pause.
    HRESULT Pause() { return E_NOTIMPL; }

private:
    CComRef<IGoMotionTranscode> m_transcode;
};
