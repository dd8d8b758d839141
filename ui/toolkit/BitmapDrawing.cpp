#include "BitmapDrawing.h"

#include <algorithm>

namespace {

SIZE BitmapSize(CBitmap* pBitmap)
{
    BITMAP info = {};
    pBitmap->GetBitmap(&info);
    SIZE size = {info.bmWidth, info.bmHeight};
    return size;
}

BOOL CopyFromBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap* pBitmap, int xSrc,
                    int ySrc)
{
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* old = memory.SelectObject(pBitmap);
    pDC->BitBlt(x, y, width, height, &memory, xSrc, ySrc, SRCCOPY);
    memory.SelectObject(old);
    return TRUE;
}

} // namespace

BOOL DrawBitmapPart(CDC* pDC, int x, int y, const RECT& source, CBitmap* pBitmap)
{
    if (pBitmap == NULL)
        return FALSE;
    return CopyFromBitmap(pDC, x, y, source.right - source.left, source.bottom - source.top,
                          pBitmap, source.left, source.top);
}

BOOL DrawBitmapInRect(CDC* pDC, const RECT& rect, CBitmap* pBitmap)
{
    if (pBitmap == NULL)
        return FALSE;
    SIZE size = BitmapSize(pBitmap);
    int width = std::min<int>(size.cx, rect.right - rect.left);
    int height = std::min<int>(size.cy, rect.bottom - rect.top);
    return CopyFromBitmap(pDC, rect.left, rect.top, width, height, pBitmap, 0, 0);
}

BOOL DrawTransparentBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap* pBitmap,
                           int xSrc, int ySrc, COLORREF transparent, CPalette* pPalette)
{
    if (pBitmap == NULL)
        return FALSE;
    CDC source, copy, mask;
    source.CreateCompatibleDC(pDC);
    copy.CreateCompatibleDC(pDC);
    mask.CreateCompatibleDC(pDC);
    CBitmap copyBitmap, maskBitmap;
    copyBitmap.CreateCompatibleBitmap(pDC, width, height);
    maskBitmap.CreateBitmap(width, height, 1, 1, NULL);
    CBitmap* oldSource = source.SelectObject(pBitmap);
    CBitmap* oldCopy = copy.SelectObject(&copyBitmap);
    CBitmap* oldMask = mask.SelectObject(&maskBitmap);
    copy.BitBlt(0, 0, width, height, &source, xSrc, ySrc, SRCCOPY);

    CPalette* oldPalette = NULL;
    CPalette* oldCopyPalette = NULL;
    BOOL palette = pPalette != NULL && (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    if (palette) {
        oldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
        oldCopyPalette = copy.SelectPalette(pPalette, FALSE);
        copy.RealizePalette();
    }

    // A colour-to-mono copy turns pixels of the background colour white, all others black.
    copy.SetBkColor(transparent);
    mask.BitBlt(0, 0, width, height, &copy, 0, 0, SRCCOPY);
    copy.SetBkColor(RGB(0, 0, 0));
    copy.SetTextColor(RGB(255, 255, 255));
    copy.BitBlt(0, 0, width, height, &mask, 0, 0, SRCAND);
    COLORREF oldBack = pDC->SetBkColor(RGB(255, 255, 255));
    COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    pDC->BitBlt(x, y, width, height, &mask, 0, 0, SRCAND);
    pDC->BitBlt(x, y, width, height, &copy, 0, 0, SRCPAINT);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);

    if (palette) {
        pDC->SelectPalette(oldPalette, FALSE);
        copy.SelectPalette(oldCopyPalette, FALSE);
    }
    source.SelectObject(oldSource);
    copy.SelectObject(oldCopy);
    mask.SelectObject(oldMask);
    return TRUE;
}

BOOL DrawBitmapTransparentAt(CDC* pDC, int x, int y, COLORREF transparent, CBitmap* pBitmap)
{
    if (pBitmap == NULL)
        return FALSE;
    SIZE size = BitmapSize(pBitmap);
    return DrawTransparentBitmap(pDC, x, y, size.cx, size.cy, pBitmap, 0, 0, transparent, NULL);
}
