#include "Mpeg4CodecV3Filter.h"

CMpeg4CodecV3Filter::CMpeg4CodecV3Filter(CGraphBuilder* graph, REFCLSID clsid)
    : CVfwCompressorFilter(graph, clsid)
{
}

CMpeg4CodecV3Filter::CMpeg4CodecV3Filter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CVfwCompressorFilter(graph, category, friendlyName, matchMode)
{
}
