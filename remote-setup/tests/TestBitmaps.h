#pragma once

#include <afxwin.h>

#include <map>
#include <string>

// Small in-memory pictures for the painters' tests: one character per pixel, rows top-down,
// each character's colour from the palette.
using Palette = std::map<char, COLORREF>;

// A 32-bit bitmap of the picture.
BOOL MakeTestBitmap(CBitmap* pBitmap, const std::string* rows, int rowCount,
                    const Palette& palette);

// A memory DC over a 32-bit bitmap filled black, for painting into and reading back.
class CTestCanvas
{
public:
    CTestCanvas(int width, int height);
    ~CTestCanvas();
    CDC* DC() { return &m_dc; }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old;
};
