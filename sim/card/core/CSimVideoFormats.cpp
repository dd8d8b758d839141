#include "CSimVideoFormats.h"

#include <string.h>

namespace
{
const SimVideoFormatInfo FORMATS[CSimVideoFormats::COUNT] = {
    // code name      bits compression                         granularity
    { 2, "YUY2",   16, MAKEFOURCC('Y', 'U', 'Y', '2'), 8, 2 },
    { 6, "UYVY",   16, MAKEFOURCC('U', 'Y', 'V', 'Y'), 8, 2 },
    { 4, "YV12",   12, MAKEFOURCC('Y', 'V', '1', '2'), 8, 2 },
    { 3, "YVU9",    9, MAKEFOURCC('Y', 'V', 'U', '9'), 4, 4 },
    { 1, "RGB24",  24, BI_RGB,                         8, 2 },
    { 0, "RGB555", 16, BI_RGB,                         8, 2 },
    { 7, "CXF1",   16, MAKEFOURCC('C', 'X', 'F', '1'), 8, 2 },
    { 8, "CXF2",   16, MAKEFOURCC('C', 'X', 'F', '2'), 8, 2 },
};
}

void CSimVideoFormats::InOrder(const char* preferred, const SimVideoFormatInfo* formats[COUNT])
{
    const SimVideoFormatInfo* first = ByName(preferred);
    int n = 0;
    if (first != NULL)
        formats[n++] = first;
    for (const SimVideoFormatInfo& f : FORMATS) {
        if (&f != first)
            formats[n++] = &f;
    }
}

const SimVideoFormatInfo* CSimVideoFormats::ByName(const char* name)
{
    for (const SimVideoFormatInfo& f : FORMATS) {
        if (_stricmp(f.name, name) == 0)
            return &f;
    }
    return NULL;
}

const SimVideoFormatInfo* CSimVideoFormats::ByCompression(DWORD compression, WORD bitCount)
{
    for (const SimVideoFormatInfo& f : FORMATS) {
        if (f.compression == compression && (compression != BI_RGB || f.bitCount == bitCount))
            return &f;
    }
    return NULL;
}

DWORD CSimVideoFormats::ImageSize(const SimVideoFormatInfo& format, LONG width, LONG height)
{
    DWORD w = (DWORD)width;
    DWORD h = (DWORD)height;
    if (IsRgb(format))
        return ((w * format.bitCount / 8 + 3) & ~3u) * h;
    return w * h * format.bitCount / 8;
}

bool CSimVideoFormats::SizeAllowed(const SimVideoFormatInfo& format, LONG width, LONG height)
{
    return width >= MIN_WIDTH && width <= MAX_WIDTH && height >= MIN_HEIGHT && height <= MAX_HEIGHT &&
           (width - MIN_WIDTH) % format.granularityX == 0 && (height - MIN_HEIGHT) % format.granularityY == 0;
}
