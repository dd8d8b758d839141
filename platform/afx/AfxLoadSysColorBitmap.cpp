#include "AfxLoadSysColorBitmap.h"

#include <string.h>

#include <vector>

namespace {

// Colour table entries are RGBQUADs: blue, green, red.
struct SysColorMap {
    DWORD rgbqFrom;
    int nSysColor;
};
const SysColorMap kSysColorMap[] = {
    // rgbqFrom    nSysColor
    {0x000000, COLOR_BTNTEXT},
    {0x808080, COLOR_BTNSHADOW},
    {0xC0C0C0, COLOR_BTNFACE},
    {0xFFFFFF, COLOR_BTNHIGHLIGHT},
};

DWORD RgbQuadOf(COLORREF cr)
{
    return (DWORD)GetBValue(cr) | ((DWORD)GetGValue(cr) << 8) | ((DWORD)GetRValue(cr) << 16);
}

} // namespace

HBITMAP AFXAPI AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono)
{
    HGLOBAL hGlobal = hRsrc != NULL ? LoadResource(hInst, hRsrc) : NULL;
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)LockResource(hGlobal) : NULL;
    DWORD dwSize = hRsrc != NULL ? SizeofResource(hInst, hRsrc) : 0;
    if (pData == NULL || dwSize < sizeof(BITMAPINFOHEADER))
        return NULL;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)pData;
    if (pHeader->biSize < sizeof(BITMAPINFOHEADER) || pHeader->biWidth <= 0 ||
        pHeader->biHeight == 0 || pHeader->biBitCount == 0 || pHeader->biBitCount > 32)
        return NULL;
    DWORD nColors = pHeader->biClrUsed;
    if (nColors == 0 && pHeader->biBitCount <= 8)
        nColors = 1u << pHeader->biBitCount;
    if (pHeader->biBitCount > 8)
        nColors = 0;
    LONG height = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
    DWORD dwStride = ((pHeader->biWidth * pHeader->biBitCount + 31) / 32) * 4;
    // Three colour masks follow a plain header of a bit-field picture.
    DWORD dwMasks = pHeader->biCompression == BI_BITFIELDS && pHeader->biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    DWORD dwBits = pHeader->biSize + (nColors + dwMasks) * sizeof(RGBQUAD);
    if (nColors > 256 || dwBits > dwSize)
        return NULL;
    // Run-length pictures carry no whole rows to count.
    BOOL bRows = pHeader->biCompression == BI_RGB || pHeader->biCompression == BI_BITFIELDS;
    if (bRows && (dwSize - dwBits) / dwStride < (DWORD)height)
        return NULL;

    // The header and colour table are copied so that the mapped colours stay ours.
    std::vector<BYTE> info(dwBits);
    memcpy(info.data(), pData, info.size());
    DWORD* pTable = (DWORD*)(info.data() + pHeader->biSize);
    for (DWORD i = 0; i < nColors; i++) {
        for (const SysColorMap& map : kSysColorMap) {
            if ((pTable[i] & 0x00FFFFFF) == map.rgbqFrom) {
                pTable[i] = RgbQuadOf(GetSysColor(map.nSysColor));
                break;
            }
        }
    }

    HDC hScreen = GetDC(NULL);
    HBITMAP hBitmap = bMono ? CreateBitmap(pHeader->biWidth, height, 1, 1, NULL)
                            : CreateCompatibleBitmap(hScreen, pHeader->biWidth, height);
    HDC hMemDC = CreateCompatibleDC(hScreen);
    ReleaseDC(NULL, hScreen);
    if (hBitmap != NULL && hMemDC != NULL) {
        HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
        StretchDIBits(hMemDC, 0, 0, pHeader->biWidth, height, 0, 0, pHeader->biWidth, height,
                      pData + dwBits, (const BITMAPINFO*)info.data(), DIB_RGB_COLORS, SRCCOPY);
        SelectObject(hMemDC, hOld);
    }
    if (hMemDC != NULL)
        DeleteDC(hMemDC);
    return hBitmap;
}
