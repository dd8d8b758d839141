// CNewMenuBitmaps: a shared store of menu icons collected one by one from bitmaps and icons,
// three images each as in every store; all icons of one store have the size of its first.
#pragma once

#include "CNewMenuIcons.h"

class CNewMenuBitmaps : public CNewMenuIcons {
    DECLARE_DYNCREATE(CNewMenuBitmaps)
public:
    CNewMenuBitmaps();

    // Remakes every icon's darkened and faded copies from its first image.
    void RefreshImages() override;

    // Each gives the first image of the icon, or -1 when its size differs from the store's
    // icons or it cannot be read. The same bitmap id twice gives one icon.
    int AddImage(UINT nBitmapID, COLORREF crTransparent);
    // A non-zero id already present has its images replaced in place.
    int AddImage(HICON hIcon, UINT nID);
    int AddImage(CBitmap* pBitmap, COLORREF crTransparent);

private:
    // The bitmap appended with its id and colour, masked, and its two copies.
    int AppendBitmap(HBITMAP hBitmap, UINT nID, COLORREF crTransparent);
    // Creates the list at the first icon's size; FALSE for a size of its own.
    BOOL FitsSize(int cx, int cy);

    CDWordArray m_TranspColors;  // per icon; CLR_NONE for one added from an icon handle
};
