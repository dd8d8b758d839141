#pragma once

#include "SimAv.h"

#include <stdint.h>

// Moves pictures between the top-down YUY2, UYVY and YV12 frames of the pins and the
// codecs' frames, scaling and converting through swscale.
class CSimAvScaler
{
public:
    CSimAvScaler() = default;
    CSimAvScaler(const CSimAvScaler&) = delete;
    CSimAvScaler& operator=(const CSimAvScaler&) = delete;
    ~CSimAvScaler() { sws_freeContext(m_context); }

    static bool Supports(uint32_t fourcc);
    // Bytes of a frame of the layout.
    static long FrameBytes(uint32_t fourcc, int width, int height);
    // A frame of the layout at width x height into picture's own size and format.
    bool ToPicture(const uint8_t* frame, uint32_t fourcc, int width, int height, AVFrame* picture);
    // The picture into a frame of the layout at width x height.
    bool FromPicture(const AVFrame* picture, uint8_t* frame, uint32_t fourcc, int width, int height);

private:
    static AVPixelFormat FormatOf(uint32_t fourcc);
    static void Planes(uint8_t* frame, uint32_t fourcc, int width, int height, uint8_t* planes[4], int strides[4]);

    SwsContext* m_context = nullptr;
};
