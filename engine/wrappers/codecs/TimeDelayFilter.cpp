#include "TimeDelayFilter.h"

CTimeDelayFilter::CTimeDelayFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CTimeDelayFilter::CTimeDelayFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                   int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}
