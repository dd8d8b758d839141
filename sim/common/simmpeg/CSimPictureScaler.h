#pragma once

#include "SimPicture.h"

#include <stdint.h>

// Moves pictures between the packed or planar layouts of the capture pins and the 4:2:0
// planes of the codecs, scaling by nearest sample (the codecs' own quality sets the look).
class CSimPictureScaler
{
public:
    enum Layout { kYUY2, kUYVY, kYV12 };

    // A top-down frame of the layout at width x height into picture's own size.
    static void ToPicture(const uint8_t* frame, Layout layout, int width, int height, SimPicture& picture);
    // The picture into a top-down YUY2 frame of width x height (stride 2 * width).
    static void ToYuy2(const SimPicture& picture, int width, int height, uint8_t* frame);
};
