#include "CNewMenuIcons.h"

#include <AfxLoadSysColorBitmap.h>
#include <AfxToolBarData.h>
#include <afxres.h>

#include "CMenuStyle.h"
#include "CNewMenuBitmaps.h"

IMPLEMENT_DYNCREATE(CNewMenuIcons, CObject)

namespace {

// Image lists of the stores: device-dependent colour with a mask, growing by ten.
const UINT kImageListFlags = ILC_COLORDDB | ILC_MASK;
const int kImageListGrowth = 10;

// Through a pointer the compiler cannot see into: it may assume `this` is never null.
__attribute__((noipa)) bool IsNullObject(const void* p) { return p == NULL; }

BOOL IsIntResource(LPCTSTR lpszName) { return ((ULONG_PTR)lpszName >> 16) == 0; }

COLORREF DarkenedPixel(COLORREF cr) { return CMenuStyle::Darken(50, cr); }

COLORREF FadedPixel(COLORREF cr)
{
    return CMenuStyle::Mix86(CMenuStyle::Lighten(100, CMenuStyle::Grey(cr)), CMenuStyle::MenuColor());
}

// The colours of a bitmap resource's header: its colours-used value, else those of its depth.
int ColorCountOf(const BITMAPINFOHEADER* pHeader)
{
    if (pHeader->biClrUsed != 0)
        return (int)pHeader->biClrUsed;
    switch (pHeader->biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    }
    return 0;
}

// The module that holds the resource: hInst when given, else the framework's search.
HINSTANCE ResourceModule(HINSTANCE hInst, LPCTSTR lpszName, LPCTSTR lpszType)
{
    return hInst != NULL ? hInst : AfxFindResourceHandle(lpszName, lpszType);
}

} // namespace

CNewMenuIcons::CNewMenuIcons()
    : m_lpszResourceName(NULL), m_hInstance(NULL), m_nColors(0), m_crTransparent(CLR_NONE),
      m_dwRefCount(0)
{
}

CNewMenuIcons::~CNewMenuIcons()
{
    SetResourceName(NULL);
}

void CNewMenuIcons::SetResourceName(LPCTSTR lpszResourceName)
{
    if (!IsIntResource(m_lpszResourceName))
        free((void*)m_lpszResourceName);
    m_lpszResourceName = IsIntResource(lpszResourceName) ? lpszResourceName : _strdup(lpszResourceName);
}

void CNewMenuIcons::AddRef()
{
    if (!IsNullObject(this))
        m_dwRefCount++;
}

void CNewMenuIcons::Release()
{
    if (IsNullObject(this) || --m_dwRefCount > 0)
        return;
    CPtrList& list = GetIconsList();
    POSITION pos = list.Find(this);
    if (pos != NULL)
        list.RemoveAt(pos);
    delete this;
}

int CNewMenuIcons::IndexOf(UINT nID) const
{
    for (int i = m_IDs.GetSize() - 1; i >= 0; i--) {
        if (m_IDs[i] == nID)
            return i * 3;
    }
    return -1;
}

HBITMAP CNewMenuIcons::LoadBitmapResource(LPCTSTR lpszResourceName, HINSTANCE hInst, int* pColors) const
{
    hInst = ResourceModule(hInst, lpszResourceName, (LPCTSTR)RT_BITMAP);
    HRSRC hRsrc = FindResourceA(hInst, lpszResourceName, (LPCTSTR)RT_BITMAP);
    HGLOBAL hGlobal = hRsrc != NULL ? LoadResource(hInst, hRsrc) : NULL;
    const BITMAPINFOHEADER* pHeader = hGlobal != NULL ? (const BITMAPINFOHEADER*)LockResource(hGlobal) : NULL;
    if (pHeader == NULL || SizeofResource(hInst, hRsrc) < sizeof(BITMAPINFOHEADER))
        return NULL;
    *pColors = ColorCountOf(pHeader);
    if (*pColors == 16)
        return AfxLoadSysColorBitmap(hInst, hRsrc);
    return LoadBitmapA(hInst, lpszResourceName);
}

BOOL CNewMenuIcons::LoadImages(int cx, int cy, LPCTSTR lpszResourceName, HINSTANCE hInst)
{
    int nColors = 0;
    HBITMAP hBitmap = LoadBitmapResource(lpszResourceName, hInst, &nColors);
    if (hBitmap == NULL)
        return FALSE;
    m_nColors = nColors;
    m_IconsList.DeleteImageList();
    BOOL bLoaded = m_IconsList.Create(cx, cy, kImageListFlags, 0, kImageListGrowth) &&
                   ImageList_AddMasked(m_IconsList.m_hImageList, hBitmap, m_crTransparent) >= 0;
    DeleteObject(hBitmap);
    return bLoaded;
}

BOOL CNewMenuIcons::LoadToolbarResource(LPCTSTR lpszResourceName, HINSTANCE hInst)
{
    SetResourceName(lpszResourceName);
    m_hInstance = hInst;
    HINSTANCE hModule = ResourceModule(hInst, lpszResourceName, (LPCTSTR)RT_TOOLBAR);
    const AfxToolBarData* pData = AfxToolBarData::Load(hModule, lpszResourceName);
    if (pData == NULL && hModule != AfxGetResourceHandle()) {
        hModule = AfxGetResourceHandle();
        pData = AfxToolBarData::Load(hModule, lpszResourceName);
    }
    if (pData == NULL || !LoadImages(pData->wWidth, pData->wHeight, lpszResourceName, hModule))
        return FALSE;
    m_IDs.RemoveAll();
    for (int i = 0; i < pData->wItemCount; i++) {
        if (pData->Items()[i] != 0)
            m_IDs.Add(pData->Items()[i]);
    }
    MakeDerivedImages();
    return m_IDs.GetSize() > 0;
}

BOOL CNewMenuIcons::LoadToolbarData(const WORD* pData, COLORREF crTransparent)
{
    m_crTransparent = crTransparent;
    if (!LoadImages(pData[1], pData[2], MAKEINTRESOURCEA(pData[0]), NULL))
        return FALSE;
    SetResourceName(MAKEINTRESOURCEA(pData[0]));
    m_hInstance = NULL;
    m_IDs.RemoveAll();
    for (const WORD* pID = pData + 3; *pID != 0; pID++)
        m_IDs.Add(*pID);
    MakeDerivedImages();
    return m_IDs.GetSize() > 0;
}

BOOL CNewMenuIcons::Matches(LPCTSTR lpszResourceName, HINSTANCE hInst) const
{
    if (hInst != m_hInstance)
        return FALSE;
    if (IsIntResource(m_lpszResourceName) || IsIntResource(lpszResourceName))
        return m_lpszResourceName == lpszResourceName;
    return lstrcmpA(m_lpszResourceName, lpszResourceName) == 0;
}

BOOL CNewMenuIcons::Matches(const WORD* pData, COLORREF crTransparent) const
{
    if (crTransparent != m_crTransparent || !IsIntResource(m_lpszResourceName) ||
        (ULONG_PTR)m_lpszResourceName != pData[0])
        return FALSE;
    const WORD* pID = pData + 3;
    for (int i = 0; i < m_IDs.GetSize(); i++, pID++) {
        if (*pID == 0 || *pID != m_IDs[i])
            return FALSE;
    }
    return *pID == 0;
}

void CNewMenuIcons::MakeDerivedImages()
{
    int nCount = m_IconsList.GetImageCount();
    int cx = 0, cy = 0;
    if (m_IconsList.m_hImageList == NULL || nCount <= 0 || !m_IconsList.GetIconSize(&cx, &cy))
        return;
    CImageList source;
    source.Attach(m_IconsList.Detach());
    m_IconsList.Create(cx, cy, kImageListFlags, 0, kImageListGrowth);
    for (int i = 0; i < nCount; i++) {
        HICON hIcon = source.ExtractIcon(i);
        m_IconsList.Add(hIcon);
        AddDarkenedImage(hIcon, -1);
        AddFadedImage(hIcon, -1);
        DestroyIcon(hIcon);
    }
}

int CNewMenuIcons::AddDarkenedImage(HICON hIcon, int nIndex)
{
    return AddTransformedImage(hIcon, nIndex, DarkenedPixel);
}

int CNewMenuIcons::AddFadedImage(HICON hIcon, int nIndex)
{
    return AddTransformedImage(hIcon, nIndex, FadedPixel);
}

int CNewMenuIcons::PutImage(HBITMAP hColor, HBITMAP hMask, int nIndex)
{
    if (nIndex < 0)
        return ImageList_Add(m_IconsList.m_hImageList, hColor, hMask);
    return ImageList_Replace(m_IconsList.m_hImageList, nIndex, hColor, hMask) ? nIndex : -1;
}

int CNewMenuIcons::AddTransformedImage(HICON hIcon, int nIndex, COLORREF (*pfnTransform)(COLORREF))
{
    ICONINFO info;
    if (hIcon == NULL || !GetIconInfo(hIcon, &info))
        return -1;
    int nResult = -1;
    BITMAP bm;
    if (info.hbmColor != NULL && GetObject(info.hbmColor, sizeof(bm), &bm)) {
        CDC colorDC, maskDC;
        colorDC.CreateCompatibleDC(NULL);
        maskDC.CreateCompatibleDC(NULL);
        HGDIOBJ hOldColor = SelectObject(colorDC, info.hbmColor);
        HGDIOBJ hOldMask = SelectObject(maskDC, info.hbmMask);
        // Transparent pixels (mask set) stay as they are: a colour there would show through.
        for (int y = 0; y < bm.bmHeight; y++) {
            for (int x = 0; x < bm.bmWidth; x++) {
                if (GetPixel(maskDC, x, y) == RGB(0, 0, 0))
                    SetPixelV(colorDC, x, y, pfnTransform(GetPixel(colorDC, x, y)));
            }
        }
        SelectObject(colorDC, hOldColor);
        SelectObject(maskDC, hOldMask);
        nResult = PutImage(info.hbmColor, info.hbmMask, nIndex);
    }
    if (info.hbmColor != NULL)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return nResult;
}

void CNewMenuIcons::RefreshImages()
{
    int cx = 0, cy = 0;
    if (m_lpszResourceName == NULL || m_IconsList.m_hImageList == NULL ||
        m_IconsList.GetImageCount() == 0 || !m_IconsList.GetIconSize(&cx, &cy))
        return;
    if (LoadImages(cx, cy, m_lpszResourceName, m_hInstance))
        MakeDerivedImages();
}
