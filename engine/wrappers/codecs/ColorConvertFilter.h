#pragma once

#include "FilterWrapper.h"

// The colour converter: two values through its interface, asked for at each call. Registered,
// never requested.
class CColorConvertFilter : public CFilterWrapper
{
public:
    CColorConvertFilter(CGraphBuilder* graph, REFCLSID clsid);
    CColorConvertFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);

    HRESULT SetOutputFormat(LONG format);
    HRESULT GetOutputFormat(LONG* format);
};
