#pragma once

#include "FilterWrapper.h"

// The "MPEG-2 Demultiplexer": the engine makes its "Video" and "Audio" output pins, with the
// media types of a time-shift stream, and maps the streams 0xE0 and 0xC0 to them.
class CMpeg2DemuxFilter : public CFilterWrapper
{
public:
    CMpeg2DemuxFilter(CGraphBuilder* graph, REFCLSID clsid);
    CMpeg2DemuxFilter(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    ~CMpeg2DemuxFilter() override;

    BOOL Init() override;

    BOOL CreateOutputPin(const char* name, BOOL isAudio);
    BOOL SetOutputPinMediaType(const char* name, AM_MEDIA_TYPE* type);
    BOOL DeleteOutputPin(const char* name);
    // Maps 0xC0 (audio) or 0xE0 (video) as elementary stream content to the named pin.
    BOOL MapStreamId(const char* pinName, BOOL isAudio);

    // The type a pin of that kind is made with; its format block is static.
    static void GetPinMediaType(BOOL isAudio, AM_MEDIA_TYPE* type);

private:
    CComRef<IMpeg2Demultiplexer> m_demux;
};
