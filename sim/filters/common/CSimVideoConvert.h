#pragma once

#include "CSimFrame.h"

#include <dshow.h>

// Conversions between the video forms the stand-ins take and give, by BT.601 in studio range
// (Y 16-235, chroma 16-240), as a capture card delivers it.
class CSimVideoConvert
{
public:
    // Whether FromSample can read pictures of this type: FORMAT_VideoInfo with YUY2, UYVY,
    // YV12, RGB24 or the card's "CXF1"/"CXF2" (YUY2 bytes), even width.
    static bool CanRead(const AM_MEDIA_TYPE& type);
    // Reads one picture of that type into frame (resized to the type's width and height).
    static bool FromSample(const AM_MEDIA_TYPE& type, const BYTE* data, long size, CSimFrame& frame);

    // Rows of B, G, R (and 0 for 32 bits) from the frame, bottom row first when bottomUp.
    // stride is the distance between rows in out.
    static void ToRgb(const CSimFrame& frame, int bitsPerPixel, bool bottomUp, LONG stride, BYTE* out);

    static void RgbToYuv(int r, int g, int b, int* y, int* u, int* v);
    static void YuvToRgb(int y, int u, int v, BYTE* bgr);

    // Half width and height, each output pixel the average of 2x2.
    static void Halve(const CSimFrame& from, CSimFrame& to);
};
