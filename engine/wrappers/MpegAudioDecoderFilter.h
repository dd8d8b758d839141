#pragma once

#include "FilterWrapper.h"

// The codec vendor's MPEG audio decoder ("Audio Decodec" in the time-shift graph); it holds
// no interface of its own.
class CMpegAudioDecoderFilter : public CFilterWrapper
{
public:
    CMpegAudioDecoderFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpegAudioDecoderFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
