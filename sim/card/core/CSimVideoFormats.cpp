#include "CSimVideoFormats.h"

#include <string.h>

namespace
{
const SimVideoFormatInfo FORMATS[CSimVideoFormats::WITH_I420] = {
    // code name      bits compression                         granularity
    { 2, "YUY2",   16, MAKEFOURCC('Y', 'U', 'Y', '2'), 8, 2 },
    { 6, "UYVY",   16, MAKEFOURCC('U', 'Y', 'V', 'Y'), 8, 2 },
    { 4, "YV12",   12, MAKEFOURCC('Y', 'V', '1', '2'), 8, 2 },
    { 3, "YVU9",    9, MAKEFOURCC('Y', 'V', 'U', '9'), 4, 4 },
    { 1, "RGB24",  24, BI_RGB,                         8, 2 },
    { 0, "RGB555", 16, BI_RGB,                         8, 2 },
    { 7, "CXF1",   16, MAKEFOURCC('C', 'X', 'F', '1'), 8, 2 },
    { 8, "CXF2",   16, MAKEFOURCC('C', 'X', 'F', '2'), 8, 2 },
    { 5, "I420",   12, MAKEFOURCC('I', '4', '2', '0'), 8, 2 },
};
}

void CSimVideoFormats::InOrder(const char* preferred, int count, const SimVideoFormatInfo* formats[WITH_I420])
{
    const SimVideoFormatInfo* first = ByName(preferred);
    if (first != NULL && first - FORMATS >= count)
        first = NULL;
    int n = 0;
    if (first != NULL)
        formats[n++] = first;
    for (int i = 0; i < count; ++i) {
        if (&FORMATS[i] != first)
            formats[n++] = &FORMATS[i];
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
