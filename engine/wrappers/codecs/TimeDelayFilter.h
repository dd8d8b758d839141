#pragma once

#include "FilterWrapper.h"

// The "Time Delay" filter: nothing of its own. Registered, never requested.
class CTimeDelayFilter : public CFilterWrapper
{
public:
    CTimeDelayFilter(CGraphBuilder* graph, REFCLSID clsid);
    CTimeDelayFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
