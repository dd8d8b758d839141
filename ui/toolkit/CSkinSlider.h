#pragma once

#include <afxcmn.h>

#include "CSkinBitmap.h"

// A skin's trackbar: the system trackbar's range, position and notifications, painted from a
// track bitmap and a thumb bitmap (cut to its shape when transparent).
class CSkinSlider : public CSliderCtrl
{
public:
    CSkinSlider();
    ~CSkinSlider() override;

    // Both bitmaps are required (ids non-zero); the slider keeps its bitmaps when one fails.
    BOOL LoadResourceBitmaps(UINT track, UINT thumb, COLORREF transparentColor, BOOL transparent);
    BOOL LoadFileBitmaps(LPCTSTR track, LPCTSTR thumb, COLORREF transparentColor,
                         BOOL transparent);
    void SetPosition(int x, int y);
    // The previous flag.
    BOOL SetHorizontal(BOOL horizontal);
    // The length the trackbar took.
    int SetThumbLength(int length);

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL TakeBitmaps(CSkinBitmap& track, CSkinBitmap& thumb, COLORREF transparentColor,
                     BOOL transparent);

    int m_x, m_y;
    BOOL m_transparent;
    COLORREF m_transparentColor;
    CRgn m_thumbRegion;
    int m_trackWidth, m_trackHeight;
    int m_thumbWidth, m_thumbHeight;
    BOOL m_horizontal;
    CSkinBitmap m_track;
    CSkinBitmap m_thumb;
};
