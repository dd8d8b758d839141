#include "ProteusTvAudioFilter.h"

CProteusTvAudioFilter::CProteusTvAudioFilter(CGraphBuilder* graph, REFCLSID clsid)
    : CTvAudioWrapper(graph, clsid)
{
}

CProteusTvAudioFilter::CProteusTvAudioFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName,
                                             int matchMode)
    : CTvAudioWrapper(graph, category, friendlyName, matchMode)
{
}
