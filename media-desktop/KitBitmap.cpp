#include "KitBitmap.h"

#include "CWinApp.h"

HBITMAP LoadKitBitmap(UINT id)
{
    HBITMAP bitmap = (HBITMAP)LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                         0, 0, LR_CREATEDIBSECTION);
    if (!bitmap)
        bitmap = (HBITMAP)LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                     0, 0, LR_CREATEDIBSECTION);
    return bitmap;
}

SIZE KitBitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void DrawKitBitmap(HDC dc, const RECT& rect, HBITMAP bitmap, COLORREF transparent)
{
    SIZE size = KitBitmapSize(bitmap);
    if (!size.cx || !size.cy)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    TransparentBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source,
                   0, 0, size.cx, size.cy, transparent);
    SelectObject(source, old);
    DeleteDC(source);
}
