#include "Mpeg2SplitterFilter.h"

CMpeg2SplitterFilter::CMpeg2SplitterFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CFilterWrapper(graph, clsid)
{
}

CMpeg2SplitterFilter::CMpeg2SplitterFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                           int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
}
