#pragma once

#include "COsdWnd.h"

// A label followed by a bar of vertical strokes cut out of the box: the strokes up to the
// progress show the box colour, the rest the remainder colour.
class COsdProgressWnd : public COsdWnd
{
public:
    COsdProgressWnd();

    // The caller repaints.
    void SetProgress(int percent) { m_nProgress = percent; }
    int GetProgress() const { return m_nProgress; }
    void SetRemainderColor(COLORREF color) { m_remainderColor = color; }
    int GetBarLeft() const { return m_nBarLeft; }

    void Layout() override;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    int m_nProgress = 0;
    COLORREF m_remainderColor = RGB(100, 100, 108);
    int m_nBarLeft = 0;
};
