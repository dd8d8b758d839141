#include "CSkinBitmap.h"

#include "BitmapDrawing.h"

#include <algorithm>

CSkinBitmap::~CSkinBitmap()
{
    DeleteObject();
}

BOOL CSkinBitmap::Replace(HBITMAP bitmap)
{
    if (bitmap == NULL)
        return FALSE;
    DeleteObject();
    return Attach(bitmap);
}

BOOL CSkinBitmap::LoadResource(UINT resourceId)
{
    if (resourceId == 0)
        return FALSE;
    LPCTSTR name = MAKEINTRESOURCEA(resourceId);
    return Replace(::LoadBitmapA(AfxFindResourceHandle(name, (LPCTSTR)RT_BITMAP), name));
}

BOOL CSkinBitmap::LoadFromFile(LPCTSTR path)
{
    return Replace((HBITMAP)LoadImageA(NULL, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

SIZE CSkinBitmap::Size() const
{
    BITMAP info = {};
    if (m_hObject != NULL)
        GetBitmap(&info);
    SIZE size = {info.bmWidth, info.bmHeight};
    return size;
}

int CSkinBitmap::GetWidth() const
{
    return Size().cx;
}

int CSkinBitmap::GetHeight() const
{
    return Size().cy;
}

void CSkinBitmap::Draw(CDC* pDC, const RECT& dest, const RECT* source)
{
    if (m_hObject == NULL)
        return;
    SIZE size = Size();
    RECT whole = {0, 0, size.cx, size.cy};
    if (source == NULL)
        source = &whole;
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* old = memory.SelectObject(this);
    int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, &memory,
                    source->left, source->top, source->right - source->left,
                    source->bottom - source->top, SRCCOPY);
    pDC->SetStretchBltMode(oldMode);
    memory.SelectObject(old);
}

void CSkinBitmap::DrawAt(CDC* pDC, const RECT& rect)
{
    if (m_hObject != NULL)
        DrawBitmapInRect(pDC, rect, this);
}

void CSkinBitmap::DrawTransparent(CDC* pDC, int x, int y, const RECT* source, COLORREF transparent)
{
    if (m_hObject == NULL)
        return;
    SIZE size = Size();
    RECT whole = {0, 0, size.cx, size.cy};
    if (source == NULL)
        source = &whole;
    DrawTransparentBitmap(pDC, x, y, source->right - source->left, source->bottom - source->top,
                          this, source->left, source->top, transparent, NULL);
}
