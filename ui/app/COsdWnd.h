#pragma once

#include <afxwin.h>

// A short text over the video window's picture: a popup over the parent's client area shaped
// by a window region, a solid box of one colour with the letters cut out of it so that the
// picture shows through them. It hides itself after the auto-hide time. The text shown is the
// window's own text; each kind lays it out in its own way (Layout).
class COsdWnd : public CWnd
{
public:
    enum { kHideTimer = 1 };

    COsdWnd();
    ~COsdWnd() override;

    BOOL Create(CWnd* pParent);

    void SetText(LPCTSTR text);
    void SetText(UINT stringId);
    CString GetText() const;
    void Show(BOOL show);
    void SetAutoHide(UINT milliseconds);
    void Refresh();
    void Reposition();
    void FitToParent();
    void SetFontHeight(int clientHeight);

    void SetColor(COLORREF color) { m_color = color; }
    void SetTextFormat(UINT format) { m_nFormat = format; }
    void SetTextRect(const RECT& rect) { m_textRect = rect; }
    const CRect& GetTextRect() const { return m_textRect; }
    void SetFontHeightBounds(int minimum, int maximum, int percent)
    {
        m_nMinFontHeight = minimum;
        m_nMaxFontHeight = maximum;
        m_nFontPercent = percent;
    }
    LOGFONT& GetLogFont() { return m_logFont; }
    const CRect& GetBoundingRect() const { return m_boundingRect; }

    virtual void Layout();

protected:
    // The text drawn through a path into the rectangle: its bounding box as a region with the
    // letters taken out (exclusive-or). FALSE when the path gives no region.
    static BOOL CutTextOut(CDC* pDC, const CString& text, const CRect& rect, UINT format,
                           CRgn& result, CRect& box);
    // The parent's client height, 0 without a parent.
    int ParentClientHeight() const;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    LOGFONT m_logFont;
    UINT m_nFormat = 0;
    CRect m_textRect = CRect(5, 5, 5, 5);
    COLORREF m_color = RGB(0, 0, 138);
    UINT m_nAutoHide = 0;
    CWnd* m_pParent = NULL;  // not owned: the window whose client area the display covers
    int m_nMinFontHeight = 30;
    int m_nMaxFontHeight = 55;
    int m_nFontPercent = 8;
    CRect m_boundingRect;
};
