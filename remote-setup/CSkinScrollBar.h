#pragma once

#include <afxwin.h>

// A scroll bar drawn from bitmaps on a static control. It tells its parent what the mouse did
// with WM_HSCROLL or WM_VSCROLL: the code in the low word, the control id in the high word.
class CSkinScrollBar : public CStatic
{
public:
    // What lies under a point.
    enum Part { PART_NONE = 0, PART_OTHER = 1, PART_FIRST_ARROW = 2, PART_SECOND_ARROW = 3,
                PART_THUMB = 4, PART_TRACK = 5 };
    // The codes sent to the parent.
    enum Code { CODE_STEP_BACK = 2, CODE_STEP_FORWARD = 3, CODE_TRACK = 5, CODE_END = 8 };
    enum { TIMER_DELAY = 1, TIMER_REPEAT = 2, DELAY_MS = 250, REPEAT_MS = 50 };

    CSkinScrollBar();

    // The four state bitmaps of an arrow (only the first is drawn); all must load.
    BOOL LoadArrowBitmaps(BOOL second, UINT first, UINT hover, UINT pressed, UINT disabled);
    BOOL LoadThumbBitmap(UINT id);
    BOOL LoadTrackBitmap(UINT id);

    void SetVertical(BOOL vertical) { m_vertical = vertical; }
    BOOL IsVertical() const { return m_vertical; }
    void SetRange(int minimum, int maximum);
    void SetPos(int pos);
    int GetPos() const { return m_pos; }
    void SetStep(int step) { m_step = step; }

    CRect GetArrowRect(BOOL second) const;
    CRect GetTrackRect() const;
    CRect GetThumbRect() const;
    int HitTest(CPoint point) const;
    // The position under a point, clamped to the range.
    int PosFromPoint(CPoint point) const;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CSize ArrowSize(BOOL second) const;
    CSize ThumbSize() const;
    BOOL OnArrow() const { return m_part == PART_FIRST_ARROW || m_part == PART_SECOND_ARROW; }
    int Clamp(int pos) const;
    void Step();
    void Notify(int code);
    void Redraw();

    CBitmap m_arrows[2][4];
    CBitmap m_thumb;
    CBitmap m_track;
    BOOL m_vertical;
    int m_pos;
    int m_min;
    int m_max;
    int m_step;
    int m_part;  // the part pressed, or PART_OTHER
    BOOL m_tracking;
};
