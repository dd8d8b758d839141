#include "CSkinHeaderCtrl.h"

#include "BitmapPainters.h"

BOOL CSkinHeaderCtrl::LoadBitmaps(UINT left, UINT middle, UINT right)
{
    BOOL loaded = LoadBitmapResource(&m_left, left);
    loaded = LoadBitmapResource(&m_middle, middle) || loaded;
    loaded = LoadBitmapResource(&m_right, right) || loaded;
    return loaded;
}

void CSkinHeaderCtrl::DrawBackground(CDC* pDC, const CRect& rect)
{
    if (HasMiddle())
        StretchBitmap(pDC, rect, &m_middle);
    else
        CDrawHeaderCtrl::DrawBackground(pDC, rect);
}

void CSkinHeaderCtrl::DrawItemBackground(CDC* pDC, const CRect& rect)
{
    if (!HasMiddle()) {
        CDrawHeaderCtrl::DrawItemBackground(pDC, rect);
        return;
    }
    if (!rect.IsRectEmpty())
        DrawThreePart(pDC, rect, &m_left, &m_middle, &m_right, TRUE);
}
