#pragma once

#include "COptionsLabel.h"

// A number the remote sets: Up and Down step it by one within its range, Left and Right move
// the row's focus onto it (it stops the walk) and off it again (it lets the walk go on). Drawn
// as "%d" on a filled box while its row is selected.
class COptionsNumber : public COptionsLabel
{
public:
    COptionsNumber();

    LRESULT OnKey(UINT key, LPARAM lParam) override;
    void Draw(CDC* pDC) override;

    // Both clamp the value into the range.
    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    int GetValue() const { return m_nValue; }
    void GetRange(int& minimum, int& maximum) const
    {
        minimum = m_nMin;
        maximum = m_nMax;
    }
    void SetFillColor(COLORREF color);
    void SetFocusColor(COLORREF color);

protected:
    COLORREF CurrentTextColor() const override;

    int m_nValue = 0;
    int m_nMin = 0;
    int m_nMax = 100;
    COLORREF m_fillColor = RGB(255, 255, 255);
    COLORREF m_focusColor = RGB(0, 0, 0);
};
