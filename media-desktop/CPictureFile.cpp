#include "CPictureFile.h"

namespace {

// HIMETRIC units (hundredths of a millimetre) to pixels at dotsPerInch, rounded.
LONG HimetricToPixels(LONG himetric, int dotsPerInch)
{
    return (himetric * dotsPerInch + 1270) / 2540;
}

}  // namespace

CPictureFile::CPictureFile() : m_picture(NULL), m_himetric{0, 0}, m_pixels{-1, -1}
{
}

CPictureFile::~CPictureFile()
{
    Release();
}

void CPictureFile::Release()
{
    if (m_picture)
        m_picture->Release();
    m_picture = NULL;
    m_himetric = SIZE{0, 0};
    m_pixels = SIZE{-1, -1};
}

BOOL CPictureFile::LoadPictureFile(LPCTSTR path)
{
    Release();
    m_path = path;
    WCHAR widePath[MAX_PATH * 2];
    if (!path || !MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH * 2))
        return FALSE;
    IPicture* picture = NULL;
    try {
        if (FAILED(OleLoadPicturePath(widePath, NULL, 0, 0, IID_IPicture, (void**)&picture)))
            return FALSE;
    } catch (...) {
        return FALSE;
    }
    if (!picture)
        return FALSE;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    HDC screen = GetDC(NULL);
    m_pixels.cx = HimetricToPixels(width, GetDeviceCaps(screen, LOGPIXELSX));
    m_pixels.cy = HimetricToPixels(height, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(NULL, screen);
    m_himetric = SIZE{width, height};
    m_picture = picture;
    return TRUE;
}

CSize CPictureFile::GetSize() const
{
    return CSize(m_pixels.cx, m_pixels.cy);
}

BOOL CPictureFile::Draw(CDC* pDC, int x, int y, int width, int height, int srcX, int srcY,
                        int srcWidth, int srcHeight)
{
    if (!m_picture || !pDC || m_pixels.cx <= 0 || m_pixels.cy <= 0)
        return FALSE;
    if (srcX == -1 || srcY == -1) {
        srcX = 0;
        srcY = 0;
        srcWidth = m_pixels.cx;
        srcHeight = m_pixels.cy;
    }
    if (srcX < 0)
        srcX = 0;
    if (srcY < 0)
        srcY = 0;
    if (srcX + srcWidth > m_pixels.cx)
        srcWidth = m_pixels.cx - srcX;
    if (srcY + srcHeight > m_pixels.cy)
        srcHeight = m_pixels.cy - srcY;
    if (srcWidth <= 0 || srcHeight <= 0)
        return FALSE;

    HDC dc = pDC->GetSafeHdc();
    OLE_HANDLE paletteHandle = 0;
    HPALETTE oldPalette = NULL;
    if (SUCCEEDED(m_picture->get_hPal(&paletteHandle)) && paletteHandle) {
        oldPalette = SelectPalette(dc, (HPALETTE)(ULONG_PTR)paletteHandle, FALSE);
        RealizePalette(dc);
    }
    // HIMETRIC runs up from the bottom edge: a negative height turns the source upright.
    const LONG himX = MulDiv(srcX, m_himetric.cx, m_pixels.cx);
    const LONG himWidth = MulDiv(srcWidth, m_himetric.cx, m_pixels.cx);
    const LONG himY = m_himetric.cy - MulDiv(srcY, m_himetric.cy, m_pixels.cy);
    const LONG himHeight = MulDiv(srcHeight, m_himetric.cy, m_pixels.cy);
    HRESULT hr = m_picture->Render(dc, x, y, width, height, himX, himY, himWidth, -himHeight, NULL);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    return SUCCEEDED(hr);
}
