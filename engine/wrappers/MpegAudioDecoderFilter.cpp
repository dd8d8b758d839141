#include "MpegAudioDecoderFilter.h"

CMpegAudioDecoderFilter::CMpegAudioDecoderFilter(CGraphBuilder* graph, REFCLSID clsid) : CFilterWrapper(graph, clsid)
{
    if (!Init())
        SetValid(FALSE);
}

CMpegAudioDecoderFilter::CMpegAudioDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                                 int matchMode)
    : CFilterWrapper(graph, category, friendlyName, matchMode)
{
    if (!Init())
        SetValid(FALSE);
}
