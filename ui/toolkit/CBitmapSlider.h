#pragma once

#include <afxcmn.h>

// A dialog's own trackbar painted from the part of the parent's background picture under it
// and a masked thumb: the thumb bitmap holds the image in its left half and its mask (white
// where the background shows, black under the thumb) in the right half.
class CBitmapSlider : public CSliderCtrl
{
public:
    CBitmapSlider();
    ~CBitmapSlider() override;

    // backgroundId: the parent's whole background picture; 0 leaves a bitmap as it was. FALSE
    // when a bitmap does not load (that one is kept as it was).
    BOOL LoadBitmaps(UINT backgroundId, UINT thumbId);
    void SetThumbLength(int length);
    int GetThumbLength() const;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    int m_thumbHeight;
    int m_thumbWidth;
    CRect m_rect;  // in the parent's client area, when the bitmaps were loaded
    CBitmap m_thumb;
    CBitmap m_background;  // the control's own size
};
