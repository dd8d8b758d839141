#include "Mpeg4CodecV1Filter.h"

CMpeg4CodecV1Filter::CMpeg4CodecV1Filter(CGraphBuilder* graph, REFCLSID clsid)
    : CVfwCompressorFilter(graph, clsid)
{
}

CMpeg4CodecV1Filter::CMpeg4CodecV1Filter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CVfwCompressorFilter(graph, category, friendlyName, matchMode)
{
}
