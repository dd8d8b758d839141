#include "Mpeg4CodecV2Filter.h"

CMpeg4CodecV2Filter::CMpeg4CodecV2Filter(CGraphBuilder* graph, REFCLSID clsid)
    : CVfwCompressorFilter(graph, clsid)
{
}

CMpeg4CodecV2Filter::CMpeg4CodecV2Filter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                         int matchMode)
    : CVfwCompressorFilter(graph, category, friendlyName, matchMode)
{
}
