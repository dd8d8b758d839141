#pragma once

#include <afxcmn.h>

// A list header that paints itself off screen: the background, then every item through
// DrawItem with its text centred. Subclasses dress the background and the items.
class CDrawHeaderCtrl : public CHeaderCtrl
{
public:
    CDrawHeaderCtrl();

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // The whole control, before any item.
    virtual void DrawBackground(CDC* pDC, const CRect& rect);
    // One item's rectangle, under its text.
    virtual void DrawItemBackground(CDC* pDC, const CRect& rect);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    CFont m_font;
    COLORREF m_textColor;
    COLORREF m_backColor;
    COLORREF m_frameColor;
};
