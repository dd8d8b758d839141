#include "Mpeg1SplitterFilter.h"

CMpeg1SplitterFilter::CMpeg1SplitterFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CMpeg1SplitterFilter::CMpeg1SplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}
