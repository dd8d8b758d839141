#include "BitmapRegion.h"

BOOL CutBitmapRegion(CRgn* pRegion, CBitmap* pBitmap, COLORREF transparent)
{
    BITMAP info = {};
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL || !pBitmap->GetBitmap(&info))
        return FALSE;
    int width = info.bmWidth;
    int height = info.bmHeight;
    CDC memory;
    memory.CreateCompatibleDC(NULL);
    CBitmap* old = memory.SelectObject(pBitmap);
    if (!pRegion->CreateRectRgn(0, 0, width, height)) {
        memory.SelectObject(old);
        return FALSE;
    }
    auto clear = [&](int x, int y) { return y >= 0 && memory.GetPixel(x, y) == transparent; };
    auto cut = [&](int x, int start, int end) {
        CRgn run;
        run.CreateRectRgn(x, start, x + 1, end);
        pRegion->CombineRgn(pRegion, &run, RGN_XOR);
    };
    for (int x = 0; x < width; ++x) {
        int start = -1;  // the open run's first row, -1 when none is open
        int y = 0;
        while (y < height) {
            if (clear(x, y)) {
                if (start < 0)
                    start = clear(x, y - 1) ? y - 1 : y;
                y += 2;
            } else if (start >= 0) {
                cut(x, start, clear(x, y - 1) ? y : y - 1);
                start = -1;
                y += 1;
            } else {
                y += 2;
            }
        }
        if (start >= 0)
            cut(x, start, height);
    }
    memory.SelectObject(old);
    return TRUE;
}
