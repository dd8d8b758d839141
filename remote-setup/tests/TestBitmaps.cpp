#include "TestBitmaps.h"

#include <vector>

namespace {

HBITMAP CreateDib32(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(NULL, &info, DIB_RGB_COLORS, (void**)bits, NULL, 0);
}

} // namespace

BOOL MakeTestBitmap(CBitmap* pBitmap, const std::string* rows, int rowCount,
                    const Palette& palette)
{
    int width = (int)rows[0].size();
    DWORD* bits = NULL;
    HBITMAP bitmap = CreateDib32(width, rowCount, &bits);
    if (bitmap == NULL)
        return FALSE;
    for (int y = 0; y < rowCount; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF colour = palette.at(rows[y][x]);
            bits[y * width + x] = (GetRValue(colour) << 16) | (GetGValue(colour) << 8)
                                  | GetBValue(colour);
        }
    }
    GdiFlush();
    return pBitmap->Attach(bitmap);
}

CTestCanvas::CTestCanvas(int width, int height)
{
    DWORD* bits = NULL;
    m_bitmap.Attach(CreateDib32(width, height, &bits));
    m_dc.CreateCompatibleDC(NULL);
    m_old = m_dc.SelectObject(&m_bitmap);
}

CTestCanvas::~CTestCanvas()
{
    m_dc.SelectObject(m_old);
}
