#pragma once

#include "CPictureBitmap.h"

// The bitmap of a skinned control: from the skin's resource module (then the program), or a
// .bmp file beside the skin's element file. A bitmap that does not load leaves the one held.
class CSkinBitmap : public CPictureBitmap
{
public:
    CSkinBitmap() {}
    ~CSkinBitmap() override;

    // Resource id 0 never loads.
    BOOL LoadResource(UINT resourceId);
    BOOL LoadFromFile(LPCTSTR path);

    BOOL IsLoaded() const { return m_hObject != NULL; }
    int GetWidth() const;
    int GetHeight() const;

    // Stretched into the destination (COLORONCOLOR); source NULL: the whole bitmap.
    void Draw(CDC* pDC, const RECT& dest, const RECT* source = NULL);
    // From the bitmap's top-left into the rectangle, clipped to the rectangle's size.
    void DrawAt(CDC* pDC, const RECT& rect);
    // Through the transparent blit; source NULL: the whole bitmap.
    void DrawTransparent(CDC* pDC, int x, int y, const RECT* source, COLORREF transparent);

private:
    BOOL Replace(HBITMAP bitmap);
    SIZE Size() const;
};
