#pragma once

#include <windows.h>

// One capture format the card's video pins offer. code is the capture device's format
// code; the media subtype follows from the name (a FOURCC, or RGB24/RGB555).
struct SimVideoFormatInfo
{
    DWORD code;
    const char* name;
    WORD bitCount;
    DWORD compression;          // FOURCC, or BI_RGB
    LONG granularityX;
    LONG granularityY;
};

// The formats, their sizes and the frame sizes the card can capture.
class CSimVideoFormats
{
public:
    // COUNT formats on a card; a camera also offers I420, after them.
    enum { COUNT = 8, WITH_I420 = 9 };
    static const LONG MIN_WIDTH = 160;
    static const LONG MIN_HEIGHT = 120;
    static const LONG MAX_WIDTH = 720;
    static const LONG MAX_HEIGHT = 576;

    // The first count formats (COUNT or WITH_I420) in the order the pins list them,
    // `preferred` (by name) first when it is among them.
    static void InOrder(const char* preferred, int count, const SimVideoFormatInfo* formats[WITH_I420]);
    static const SimVideoFormatInfo* ByName(const char* name);
    static const SimVideoFormatInfo* ByCompression(DWORD compression, WORD bitCount);
    static bool IsRgb(const SimVideoFormatInfo& format) { return format.compression == BI_RGB; }
    // Bytes of one frame; width and height positive.
    static DWORD ImageSize(const SimVideoFormatInfo& format, LONG width, LONG height);
    static bool SizeAllowed(const SimVideoFormatInfo& format, LONG width, LONG height);
};
