#pragma once

#include <afxwin.h>

// The bitmap's rectangle less its vertical runs of the transparent colour, as a window region
// in pRegion (which must be empty). Columns are sampled every second pixel and each run's ends
// settled to the pixel, so a lone transparent pixel on an unsampled row stays in the region.
BOOL CutBitmapRegion(CRgn* pRegion, CBitmap* pBitmap, COLORREF transparent);
