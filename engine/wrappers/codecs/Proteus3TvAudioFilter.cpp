#include "Proteus3TvAudioFilter.h"

CProteus3TvAudioFilter::CProteus3TvAudioFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CTvAudioWrapper(graph, clsid)
{
}

CProteus3TvAudioFilter::CProteus3TvAudioFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                               int matchMode)
    : CTvAudioWrapper(graph, category, friendlyName, matchMode)
{
}
