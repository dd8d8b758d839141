#pragma once

#include <windows.h>
#include <vfw.h>

// The installable video codec that decompresses YUY2 and UYVY into RGB for the system's AVI
// decompressor: the video renderer takes RGB only. BT.601 studio range; rows bottom-up
// unless the output's height is negative. Compression is not offered.
class CSimYuy2Codec
{
public:
    // ICM_DECOMPRESS_QUERY: ICERR_OK or ICERR_BADFORMAT; output may be null.
    static LRESULT Query(const BITMAPINFOHEADER* input, const BITMAPINFOHEADER* output);
    // ICM_DECOMPRESS_GET_FORMAT: RGB32 bottom-up of the input's size; with a null output, the
    // bytes the format takes.
    static LRESULT GetFormat(const BITMAPINFOHEADER* input, BITMAPINFOHEADER* output);
    static LRESULT Decompress(const ICDECOMPRESS* request);
    static LRESULT GetInfo(ICINFO* info, DWORD size);
};
