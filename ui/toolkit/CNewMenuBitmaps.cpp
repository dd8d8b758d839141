#include "CNewMenuBitmaps.h"

#include <afxres.h>

IMPLEMENT_DYNCREATE(CNewMenuBitmaps, CNewMenuIcons)

namespace {

const UINT kImageListFlags = ILC_COLORDDB | ILC_MASK;
const int kImageListGrowth = 10;

BOOL BitmapSize(HBITMAP hBitmap, int* cx, int* cy)
{
    BITMAP bm;
    if (hBitmap == NULL || !GetObject(hBitmap, sizeof(bm), &bm))
        return FALSE;
    *cx = bm.bmWidth;
    *cy = bm.bmHeight;
    return TRUE;
}

} // namespace

CNewMenuBitmaps::CNewMenuBitmaps() {}

BOOL CNewMenuBitmaps::FitsSize(int cx, int cy)
{
    int cxList = 0, cyList = 0;
    if (m_IconsList.m_hImageList != NULL && m_IconsList.GetImageCount() > 0) {
        m_IconsList.GetIconSize(&cxList, &cyList);
        return cx == cxList && cy == cyList;
    }
    m_IconsList.DeleteImageList();
    return m_IconsList.Create(cx, cy, kImageListFlags, 0, kImageListGrowth);
}

int CNewMenuBitmaps::AppendBitmap(HBITMAP hBitmap, UINT nID, COLORREF crTransparent)
{
    int cx = 0, cy = 0;
    if (!BitmapSize(hBitmap, &cx, &cy) || !FitsSize(cx, cy))
        return -1;
    int nIndex = ImageList_AddMasked(m_IconsList.m_hImageList, hBitmap, crTransparent);
    if (nIndex < 0)
        return -1;
    HICON hIcon = m_IconsList.ExtractIcon(nIndex);
    AddDarkenedImage(hIcon, -1);
    AddFadedImage(hIcon, -1);
    DestroyIcon(hIcon);
    m_TranspColors.Add(crTransparent);
    m_IDs.Add(nID);
    return nIndex;
}

int CNewMenuBitmaps::AddImage(UINT nBitmapID, COLORREF crTransparent)
{
    int nIndex = IndexOf(nBitmapID);
    if (nIndex >= 0)
        return nIndex;
    int nColors = 0;
    HBITMAP hBitmap = LoadBitmapResource(MAKEINTRESOURCEA(nBitmapID), NULL, &nColors);
    nIndex = AppendBitmap(hBitmap, nBitmapID, crTransparent);
    if (hBitmap != NULL)
        DeleteObject(hBitmap);
    return nIndex;
}

int CNewMenuBitmaps::AddImage(CBitmap* pBitmap, COLORREF crTransparent)
{
    return AppendBitmap((HBITMAP)pBitmap->GetSafeHandle(), 0, crTransparent);
}

int CNewMenuBitmaps::AddImage(HICON hIcon, UINT nID)
{
    ICONINFO info;
    if (hIcon == NULL || !GetIconInfo(hIcon, &info))
        return -1;
    int cx = 0, cy = 0;
    BOOL bSized = BitmapSize(info.hbmColor, &cx, &cy);
    if (info.hbmColor != NULL)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (!bSized || !FitsSize(cx, cy))
        return -1;
    int nIndex = nID != 0 ? IndexOf(nID) : -1;
    if (nIndex >= 0) {
        m_IconsList.Replace(nIndex, hIcon);
        AddDarkenedImage(hIcon, nIndex + 1);
        AddFadedImage(hIcon, nIndex + 2);
        return nIndex;
    }
    nIndex = m_IconsList.Add(hIcon);
    if (nIndex < 0)
        return -1;
    AddDarkenedImage(hIcon, -1);
    AddFadedImage(hIcon, -1);
    m_TranspColors.Add(CLR_NONE);
    m_IDs.Add(nID);
    return nIndex;
}

void CNewMenuBitmaps::RefreshImages()
{
    for (int i = 0; i + 2 < m_IconsList.GetImageCount(); i += 3) {
        HICON hIcon = m_IconsList.ExtractIcon(i);
        AddDarkenedImage(hIcon, i + 1);
        AddFadedImage(hIcon, i + 2);
        DestroyIcon(hIcon);
    }
}
