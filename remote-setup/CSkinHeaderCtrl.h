#pragma once

#include "CDrawHeaderCtrl.h"

// A header whose items are drawn from left, middle and right bitmaps over a stretched middle
// bitmap; without a middle bitmap it draws as its base.
class CSkinHeaderCtrl : public CDrawHeaderCtrl
{
public:
    // TRUE when any of the three loaded.
    BOOL LoadBitmaps(UINT left, UINT middle, UINT right);

    void DrawBackground(CDC* pDC, const CRect& rect) override;
    void DrawItemBackground(CDC* pDC, const CRect& rect) override;

private:
    BOOL HasMiddle() const { return m_middle.GetSafeHandle() != NULL; }

    CBitmap m_left;
    CBitmap m_middle;
    CBitmap m_right;
};
