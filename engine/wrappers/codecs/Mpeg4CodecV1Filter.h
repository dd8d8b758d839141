#pragma once

#include "VfwCompressorFilter.h"

// The video-compressor device "Microsoft MPEG-4  VKI  Codec V1", with its base's dialog
// operations.
class CMpeg4CodecV1Filter : public CVfwCompressorFilter
{
public:
    CMpeg4CodecV1Filter(CGraphBuilder* graph, REFCLSID clsid);
    CMpeg4CodecV1Filter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
};
