#include "BitmapPainters.h"

#include <algorithm>

namespace {

BOOL HasBitmap(CBitmap* pBitmap)
{
    return pBitmap != NULL && pBitmap->GetSafeHandle() != NULL;
}

CSize BitmapSize(CBitmap* pBitmap)
{
    BITMAP info = {};
    pBitmap->GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}

// A memory DC compatible with the target holding the bitmap for the painter's lifetime.
class CSelectedBitmap
{
public:
    CSelectedBitmap(CDC* pTarget, CBitmap* pBitmap)
    {
        m_dc.CreateCompatibleDC(pTarget);
        m_old = m_dc.SelectObject(pBitmap);
    }
    ~CSelectedBitmap() { m_dc.SelectObject(m_old); }
    CDC* DC() { return &m_dc; }

private:
    CDC m_dc;
    CBitmap* m_old;
};

// An off-screen bitmap of the rectangle's size, copied to the rectangle by Flush.
class COffscreen
{
public:
    COffscreen(CDC* pTarget, const CRect& rect) : m_target(pTarget), m_rect(rect)
    {
        m_dc.CreateCompatibleDC(pTarget);
        m_bitmap.CreateCompatibleBitmap(pTarget, rect.Width(), rect.Height());
        m_old = m_dc.SelectObject(&m_bitmap);
    }
    ~COffscreen() { m_dc.SelectObject(m_old); }
    CDC* DC() { return &m_dc; }
    CRect Area() const { return CRect(0, 0, m_rect.Width(), m_rect.Height()); }
    BOOL Flush()
    {
        return m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dc,
                                0, 0, SRCCOPY);
    }

private:
    CDC* m_target;
    CRect m_rect;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old;
};

} // namespace

BOOL LoadBitmapResource(CBitmap* pBitmap, UINT id)
{
    if (pBitmap == NULL || id == 0)
        return FALSE;
    pBitmap->DeleteObject();
    return pBitmap->LoadBitmap(id);
}

int GetBitmapWidth(CBitmap* pBitmap)
{
    return HasBitmap(pBitmap) ? BitmapSize(pBitmap).cx : 0;
}

int GetBitmapHeight(CBitmap* pBitmap)
{
    return HasBitmap(pBitmap) ? BitmapSize(pBitmap).cy : 0;
}

BOOL BlitBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap)
{
    if (pDC == NULL || !HasBitmap(pBitmap))
        return FALSE;
    CSize size = BitmapSize(pBitmap);
    CSelectedBitmap source(pDC, pBitmap);
    return pDC->BitBlt(rect.left, rect.top, std::min<int>(rect.Width(), size.cx),
                       std::min<int>(rect.Height(), size.cy), source.DC(), 0, 0, SRCCOPY);
}

BOOL TileBitmap(CDC* pDC, const CRect& rect, CBitmap* pBitmap)
{
    if (pDC == NULL || !HasBitmap(pBitmap))
        return FALSE;
    CBrush pattern;
    if (!pattern.CreatePatternBrush(pBitmap))
        return FALSE;
    pDC->FillRect(&rect, &pattern);
    return TRUE;
}

BOOL TileBitmapBuffered(CDC* pDC, const CRect& rect, CBitmap* pBitmap)
{
    if (pDC == NULL || !HasBitmap(pBitmap))
        return FALSE;
    COffscreen buffer(pDC, rect);
    return TileBitmap(buffer.DC(), buffer.Area(), pBitmap) && buffer.Flush();
}

BOOL StretchBitmap(CDC* pDC, const CRect& dest, CBitmap* pBitmap, const CRect* pSource)
{
    if (pDC == NULL || !HasBitmap(pBitmap))
        return FALSE;
    CRect source = pSource != NULL ? *pSource : CRect(CPoint(0, 0), BitmapSize(pBitmap));
    CSelectedBitmap bitmap(pDC, pBitmap);
    int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
    BOOL drawn = pDC->StretchBlt(dest.left, dest.top, dest.Width(), dest.Height(), bitmap.DC(),
                                 source.left, source.top, source.Width(), source.Height(),
                                 SRCCOPY);
    pDC->SetStretchBltMode(oldMode);
    return drawn;
}

BOOL StretchBitmapBuffered(CDC* pDC, const CRect& dest, CBitmap* pBitmap, const CRect* pSource)
{
    if (pDC == NULL || !HasBitmap(pBitmap))
        return FALSE;
    COffscreen buffer(pDC, dest);
    return StretchBitmap(buffer.DC(), buffer.Area(), pBitmap, pSource) && buffer.Flush();
}

BOOL DrawThreePart(CDC* pDC, const CRect& rect, CBitmap* pLeft, CBitmap* pMiddle,
                   CBitmap* pRight, BOOL stretch)
{
    if (pDC == NULL || !HasBitmap(pLeft) || !HasBitmap(pMiddle) || !HasBitmap(pRight))
        return FALSE;
    auto end = [&](const CRect& part, CBitmap* pBitmap) {
        return stretch ? StretchBitmapBuffered(pDC, part, pBitmap) : BlitBitmap(pDC, part, pBitmap);
    };
    int leftEnd = std::min<int>(rect.left + GetBitmapWidth(pLeft), rect.right);
    BOOL drawn = end(CRect(rect.left, rect.top, leftEnd, rect.bottom), pLeft);
    if (leftEnd >= rect.right)
        return drawn;
    int rightStart = std::max<int>(rect.right - GetBitmapWidth(pRight), rect.left);
    drawn = end(CRect(rightStart, rect.top, rect.right, rect.bottom), pRight) && drawn;
    if (leftEnd >= rightStart)
        return drawn;
    CRect gap(leftEnd, rect.top, rightStart, rect.bottom);
    return (stretch ? StretchBitmapBuffered(pDC, gap, pMiddle)
                    : TileBitmapBuffered(pDC, gap, pMiddle)) && drawn;
}

BOOL MakeRegionFromBitmap(CRgn* pRegion, CBitmap* pBitmap, COLORREF key)
{
    if (pRegion == NULL || !HasBitmap(pBitmap))
        return FALSE;
    CSize size = BitmapSize(pBitmap);
    CDC memory;
    memory.CreateCompatibleDC(NULL);
    CBitmap* old = memory.SelectObject(pBitmap);
    pRegion->DeleteObject();
    if (!pRegion->CreateRectRgn(0, 0, size.cx, size.cy)) {
        memory.SelectObject(old);
        return FALSE;
    }
    auto isKey = [&](int x, int y) { return y >= 0 && memory.GetPixel(x, y) == key; };
    auto cut = [&](int x, int top, int bottom) {
        CRgn run;
        run.CreateRectRgn(x, top, x + 1, bottom);
        pRegion->CombineRgn(pRegion, &run, RGN_XOR);
    };
    // The column at the width lies outside the bitmap and holds no key pixel.
    for (int x = 0; x < size.cx; ++x) {
        int start = -1;  // the open run's first row, -1 when none is open
        int j = 0;       // the sampled row; j - 1 is the row looked back at
        while (j < size.cy) {
            int next = 2;
            if (isKey(x, j)) {
                if (start < 0)
                    start = isKey(x, j - 1) ? j - 1 : j;
            } else if (start >= 0) {
                cut(x, start, isKey(x, j - 1) ? j : j - 1);
                start = -1;
                next = 1;
            }
            j += next;
        }
        if (start >= 0)
            cut(x, start, size.cy);
    }
    memory.SelectObject(old);
    return TRUE;
}
