#include "IviVideoDecoderFilter.h"

CIviVideoDecoderFilter::CIviVideoDecoderFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CIviVideoDecoderFilter::CIviVideoDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                               int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}
