#pragma once

#include "afxwin.h"

// The caption of the preferences' page area: a gradient from black to the button face with a
// constant caption right-aligned on it, and the window text (the page's name) at the left.
class CGradientCaption : public CStatic
{
public:
    CGradientCaption();
    ~CGradientCaption() override;

    void SetTextColor(COLORREF color) { m_textColor = color; }
    // The window text's font; an empty name takes the parent's font.
    void SetFont(LPCTSTR name, int weight, int height);
    // Drawn in the same font name at height 18, weight 700.
    void SetConstantText(LPCTSTR text);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void MakeBackground(HDC dc, int width, int height);

    COLORREF m_textColor;
    CString m_fontName;
    int m_fontWeight;
    int m_fontHeight;
    CString m_constantText;
    CBitmap m_background;  // made on the first erase, of the client size
};
