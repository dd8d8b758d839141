#pragma once

#include <afxwin.h>

// Tandril's bitmap painters. Each draws through a memory DC of its own and answers FALSE when
// an argument is missing or the bitmap holds nothing.

// Deletes what pBitmap held, then loads the resource; FALSE for id 0.
BOOL LoadBitmapResource(CBitmap* pBitmap, UINT id);
// 0 for a missing bitmap.
int GetBitmapWidth(CBitmap* pBitmap);
int GetBitmapHeight(CBitmap* pBitmap);
// The bitmap from its origin at the rectangle's top-left, clipped to the rectangle's size.
BOOL BlitBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap);
// The rectangle filled with the bitmap as a pattern brush (aligned to the DC's origin).
BOOL TileBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap);
// The same drawn off screen first, so the pattern starts at the rectangle's top-left.
BOOL TileBitmapBuffered(CDC* pDC, const CRect& rect, CBitmap* pBitmap);
// The whole bitmap, or pSource of it, stretched onto the destination (COLORONCOLOR).
BOOL StretchBitmap(CDC* pDC, const CRect& dest, CBitmap* pBitmap, const CRect* pSource = NULL);
BOOL StretchBitmapBuffered(CDC* pDC, const CRect& dest, CBitmap* pBitmap,
                           const CRect* pSource = NULL);
// Left end at the left edge, right end at the right edge (never left of the rectangle), the
// middle across what lies between them; stretched, or ends copied and middle tiled.
BOOL DrawThreePart(CDC* pDC, const CRect& rect, CBitmap* pLeft, CBitmap* pMiddle,
                   CBitmap* pRight, BOOL stretch);
// The bitmap's rectangle less its vertical runs of the key colour, replacing what pRegion
// held. Columns are read every second row, looking back one row where the state changes, so
// a lone key pixel on an unsampled row stays inside.
BOOL MakeRegionFromBitmap(CRgn* pRegion, CBitmap* pBitmap, COLORREF key);
