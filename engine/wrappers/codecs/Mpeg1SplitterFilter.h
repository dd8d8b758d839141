#pragma once

#include "FilterWrapper.h"

// The MPEG-1 splitter: nothing of its own. Registered, never requested.
class CMpeg1SplitterFilter : public CFilterWrapper
{
public:
    CMpeg1SplitterFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpeg1SplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
