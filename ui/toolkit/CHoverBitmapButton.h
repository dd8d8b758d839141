#pragma once

#include "ButtonImages.h"

// A dialog's own button drawn from four resource bitmaps (hover, normal, pressed, disabled),
// with a hover image and an optional toggle mode in which each click flips its check. Built on
// the framework alone: the other programs of the suite compile this file into themselves.
class CHoverBitmapButton : public CButton
{
public:
    CHoverBitmapButton();
    ~CHoverBitmapButton() override;

    // All four ids are required; the button keeps its bitmaps when one does not load, and takes
    // the hover bitmap's size.
    BOOL LoadBitmaps(UINT hover, UINT normal, UINT pressed, UINT disabled);
    // The same, with the window cut to the normal bitmap less its pixels of the transparent
    // colour.
    BOOL LoadBitmapsWithRegion(UINT hover, UINT normal, UINT pressed, UINT disabled,
                               COLORREF transparentColor);
    void SetToggleMode(BOOL toggle);
    BOOL GetToggleMode() const { return m_toggle; }
    // Only in toggle mode.
    void SetCheck(BOOL checked);
    BOOL GetCheck() const { return m_checked; }
    void SetImage(int index);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CheckedToggle() const { return m_toggle && m_checked; }

    CButtonImages m_images;  // which image shows, and the button's size (image 0's)
    CBitmap m_bitmaps[CButtonImages::COUNT];
    BOOL m_toggle;
    BOOL m_checked;

    // A button-down reached a hover button: the next button-up of a toggle button flips it.
    static BOOL s_pressSeen;
};
