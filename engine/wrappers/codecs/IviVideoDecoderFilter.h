#pragma once

#include "FilterWrapper.h"

// InterVideo's video decoder: nothing of its own. Registered, never requested.
class CIviVideoDecoderFilter : public CFilterWrapper
{
public:
    CIviVideoDecoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CIviVideoDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
