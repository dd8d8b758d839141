#pragma once

#include "FilterWrapper.h"
#include "ComRef.h"
#include "MpegEncoderInterfaces.h"

// The codec vendor's MPEG splitter: numbered parameters; its outputs come and go with the stream
// it is given. Registered, never requested.
class CMpegSplitterFilter : public CFilterWrapper
{
public:
    CMpegSplitterFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegSplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpegSplitterFilter() override;

    BOOL Init() override;

    BOOL GetParam(LONG id, int* value);
    BOOL SetParam(LONG id, int value);

private:
    CComRef<IMpegParams> m_params;
};
