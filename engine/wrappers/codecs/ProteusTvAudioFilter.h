#pragma once

#include "TvAudioWrapper.h"

// The TV audio device of the 713x card, with its base's sound-mode operations.
class CProteusTvAudioFilter : public CTvAudioWrapper
{
public:
    CProteusTvAudioFilter(CGraphBuilder* graph, REFCLSID clsid);
    CProteusTvAudioFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
