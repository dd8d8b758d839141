#pragma once

#include "FilterWrapper.h"

// The MPEG-2 splitter: nothing of its own. Registered, never requested.
class CMpeg2SplitterFilter : public CFilterWrapper
{
public:
    CMpeg2SplitterFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpeg2SplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
