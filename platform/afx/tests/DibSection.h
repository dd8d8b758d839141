// A 24-bit DIB section for a test to draw into: its pixels read back exactly as drawn.
#pragma once

#include <afxwin.h>

inline BOOL CreateDibSection24(CDC& dc, int width, int height, CBitmap& bitmap)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = NULL;
    return bitmap.Attach(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0));
}
