#pragma once

#include "CSimFrame.h"

// Snapshot files of a picture: a 24-bit bottom-up BMP (pixels at offset 54) or a JPEG
// through WIC's encoder. On failure no file is left behind.
class CSimPictureFile
{
public:
    static HRESULT SaveBmp(const WCHAR* path, const CSimFrame& frame);
    // quality 0-100, "ImageQuality" quality/100 (clamped).
    static HRESULT SaveJpeg(const WCHAR* path, const CSimFrame& frame, LONG quality);
    // A packed DIB (BITMAPINFOHEADER and 24-bit bottom-up rows), as a still-capture filter hands it out.
    static void MakeDib(const CSimFrame& frame, std::vector<BYTE>& dib);
};
