#pragma once

#include <windows.h>

// A resource bitmap of the current resource module, else of the program; NULL when neither
// has it. The caller deletes it.
HBITMAP LoadKitBitmap(UINT id);

// The bitmap's size; 0 by 0 for NULL.
SIZE KitBitmapSize(HBITMAP bitmap);

// Draws the bitmap stretched over rect, its pixels of the transparent colour left out.
void DrawKitBitmap(HDC dc, const RECT& rect, HBITMAP bitmap, COLORREF transparent);

// Blends what draw() paints over a copy of rect back onto dc with a constant alpha: draw gets
// a memory DC holding that copy, with rect's top-left at (0, 0).
template <typename Draw>
void BlendOver(HDC dc, const RECT& rect, BYTE alpha, Draw draw)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    HDC part = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(part, bitmap);
    BitBlt(part, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    draw(part);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, 0};
    AlphaBlend(dc, rect.left, rect.top, width, height, part, 0, 0, width, height, blend);
    SelectObject(part, old);
    DeleteObject(bitmap);
    DeleteDC(part);
}
