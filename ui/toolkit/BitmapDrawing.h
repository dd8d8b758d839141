#pragma once

#include <afxwin.h>

// Blits the window classes share. Each answers FALSE only when no bitmap object is given.

// The source rectangle of the bitmap, copied to (x, y).
BOOL DrawBitmapPart(CDC* pDC, int x, int y, const RECT& source, CBitmap* pBitmap);
// The bitmap from its top-left, copied into the rectangle and clipped to its size.
BOOL DrawBitmapInRect(CDC* pDC, const RECT& rect, CBitmap* pBitmap);
// width x height of the bitmap from (xSrc, ySrc) to (x, y), leaving the destination as it was
// wherever the bitmap has the transparent colour. pPalette is realised only on a palette device.
BOOL DrawTransparentBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap* pBitmap,
                           int xSrc, int ySrc, COLORREF transparent, CPalette* pPalette);
// The whole bitmap through DrawTransparentBitmap.
BOOL DrawBitmapTransparentAt(CDC* pDC, int x, int y, COLORREF transparent, CBitmap* pBitmap);
