#pragma once

#include <afxwin.h>

// An off-screen DC of a target rectangle, drawn in the target's coordinates; its image goes
// to the target when it is destroyed, so a window paints in one copy and does not flicker.
class CMemDC : public CDC
{
public:
    CMemDC(CDC* pDC, const CRect& rect);
    ~CMemDC() override;

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap;
    CDC* m_target;
    CRect m_rect;
};
