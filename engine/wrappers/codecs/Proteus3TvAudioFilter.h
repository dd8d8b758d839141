#pragma once

#include "TvAudioWrapper.h"

// The TV audio device of the 713x_3 card, with its base's sound-mode operations.
class CProteus3TvAudioFilter : public CTvAudioWrapper
{
public:
    CProteus3TvAudioFilter(CGraphBuilder* graph, REFCLSID clsid);
    CProteus3TvAudioFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
