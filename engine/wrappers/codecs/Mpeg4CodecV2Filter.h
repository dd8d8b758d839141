#pragma once

#include "VfwCompressorFilter.h"

// The video-compressor device "Microsoft MPEG-4  VKI  Codec V2", with its base's dialog
// operations.
class CMpeg4CodecV2Filter : public CVfwCompressorFilter
{
public:
    CMpeg4CodecV2Filter(CGraphBuilder* graph, REFCLSID clsid);
    CMpeg4CodecV2Filter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
