#pragma once

#include "CSimCard.h"
#include "CSimVideoFormats.h"

// The card's synthetic picture. With a signal: an ID band (the source, station and kHz as
// 32 cells of black or white), a band with the frame number coded the same way, and
// colour bars rotated by the station index with a white stripe moving 8 pixels a frame,
// so a viewer and a test can tell stations and frames apart. Without a signal: noise.
class CSimPicture
{
public:
    // Fills out with one frame of width x height (positive) in the given format; RGB
    // frames are bottom-up unless topDown.
    static void Render(const SimPictureInput& input, DWORD frame, const SimVideoFormatInfo& format, LONG width,
                       LONG height, bool topDown, BYTE* out);
};
