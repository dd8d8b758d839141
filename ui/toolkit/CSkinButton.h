#pragma once

#include "ButtonImages.h"
#include "CSkinBitmap.h"

// A skin's four-image button over one of the dialog's buttons: image 0 under the mouse, 1 at
// rest, 2 pressed (and while a toggle button is checked), 3 disabled. A transparent button's
// window is cut to the shape of its normal image.
class CSkinButton : public CButton
{
public:
    CSkinButton();
    ~CSkinButton() override;

    // All four are required (ids non-zero); the button keeps its images when one fails.
    BOOL LoadResourceBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled,
                             COLORREF transparentColor, BOOL transparent);
    BOOL LoadFileBitmaps(LPCTSTR hover, LPCTSTR normal, LPCTSTR pressed, LPCTSTR disabled,
                         COLORREF transparentColor, BOOL transparent);
    // In the parent's client area; applied when the button takes over its window.
    void SetPosition(int x, int y);
    // 0 push button, any other value toggle button.
    void SetStyle(int style) { m_style = style; }
    int GetStyle() const { return m_style; }
    // Stores the state without repainting; the previous state.
    BOOL SetCheck(BOOL checked);
    BOOL GetCheck() const { return m_checked; }
    void SetImage(int index);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    BOOL TakeBitmaps(CSkinBitmap (&loaded)[CButtonImages::COUNT], COLORREF transparentColor,
                     BOOL transparent);
    BOOL CheckedToggle() const { return m_style != 0 && m_checked; }

    BOOL m_checked;
    int m_style;
    CSkinBitmap m_bitmaps[CButtonImages::COUNT];
    int m_x, m_y;
    CButtonImages m_images;  // which image shows, and the button's size (image 0's)
    CRgn m_region;
    BOOL m_pressed;  // between a button-down and the button-up
    BOOL m_transparent;
    COLORREF m_transparentColor;

    // A button-down reached a skin button: the next button-up of a toggle button flips it.
    static BOOL s_pressSeen;
};
