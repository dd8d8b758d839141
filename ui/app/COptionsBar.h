#pragma once

#include "COptionsLabel.h"

// A bar filled from the left to the value's share of its range: Left and Right step the value
// within the range. Its back bitmap gives its size.
class COptionsBar : public COptionsLabel
{
public:
    COptionsBar();

    LRESULT OnKey(UINT key, LPARAM lParam) override;
    void Draw(CDC* pDC) override;

    // Both clamp the value into the range.
    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    void GetRange(int& minimum, int& maximum) const
    {
        minimum = m_nMin;
        maximum = m_nMax;
    }
    int GetValue() const { return m_nValue; }
    // Answers the old step.
    int SetStep(int step);
    int GetStep() const { return m_nStep; }
    // FALSE when either does not load.
    BOOL SetBitmaps(UINT backId, UINT fillId);
    // The width the fill covers in a client area this wide; none when the range is empty.
    int FillWidth(int clientWidth) const;

protected:
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    int m_nStep = 5;
    CBitmap m_back;
    CBitmap m_fill;
};
