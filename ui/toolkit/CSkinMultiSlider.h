#pragma once

#include "CSkinBitmap.h"

// WM_HSCROLL code with which the multi-slider tells its parent that the user moved it; the
// message's lParam is the CSkinMultiSlider object itself, not a window handle.
#define SB_MULTISLIDER_CHANGED 255

// A skin's slider over a static control, with a 64-bit range, a selection band the thumb is
// kept in, and its own mouse handling. The track runs from the start edge to the end edge of
// the track bitmap, along its middle line. The static control needs SS_NOTIFY to see the mouse.
class CSkinMultiSlider : public CStatic
{
public:
    CSkinMultiSlider();
    ~CSkinMultiSlider() override;

    // Both bitmaps are required (ids non-zero); the geometry is kept only when they load.
    BOOL LoadResourceBitmaps(UINT track, UINT thumb, COLORREF transparentColor, BOOL transparent,
                             int startEdge, int endEdge, int middleLine, int middleHeight);
    BOOL LoadFileBitmaps(LPCTSTR track, LPCTSTR thumb, COLORREF transparentColor,
                         BOOL transparent, int startEdge, int endEdge, int middleLine,
                         int middleHeight);
    void SetPosition(int x, int y);
    BOOL SetHorizontal(BOOL horizontal);
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }

    // The setters refuse values out of order (minimum <= selection start <= selection end <=
    // maximum, selection start <= position <= selection end) with FALSE and change nothing.
    BOOL SetRange(LONGLONG minimum, LONGLONG maximum, BOOL redraw);
    BOOL SetSelection(LONGLONG start, LONGLONG end, BOOL redraw);
    BOOL SetPos(LONGLONG position, BOOL redraw);
    // Clamped to the selection.
    BOOL MoveBy(LONGLONG delta, BOOL redraw);
    LONGLONG GetPos() const { return m_position; }
    // TRUE during a drag and while the parent handles the change it causes, so that a parent
    // moving the slider from a timer can leave it alone.
    BOOL IsDragging() const { return m_dragging; }

    // In client coordinates.
    CRect GetThumbRect() const;
    // FALSE when there is no band.
    BOOL GetSelectionRect(CRect* rect) const;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    BOOL TakeBitmaps(CSkinBitmap& track, CSkinBitmap& thumb, COLORREF transparentColor,
                     BOOL transparent, int startEdge, int endEdge, int middleLine,
                     int middleHeight);
    int Along(CPoint point) const { return m_horizontal ? point.x : point.y; }
    // A rectangle from its extent along the track and across it.
    CRect Oriented(int along, int alongLength, int across, int acrossLength) const;
    // A track of no length has no positions to map a point to: the mouse is ignored.
    BOOL HasTrack() const { return m_endEdge - m_startEdge > 0; }
    void NotifyParent();
    void Redraw(BOOL redraw);

    int m_x, m_y;
    BOOL m_transparent;
    COLORREF m_transparentColor;
    COLORREF m_selectionColor;
    CRgn m_thumbRegion;
    int m_trackWidth, m_trackHeight;
    int m_thumbWidth, m_thumbHeight;
    int m_startEdge, m_endEdge, m_middleLine, m_middleHeight;
    BOOL m_horizontal;
    CSkinBitmap m_track;
    CSkinBitmap m_thumb;
    LONGLONG m_selectionStart, m_selectionEnd, m_minimum, m_maximum, m_position;
    BOOL m_dragging;
    int m_lastAlong;  // the mouse's coordinate along the track at the last drag step
    HCURSOR m_cursor;
};
