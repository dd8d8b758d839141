#pragma once

#include "COptionsLabel.h"

// A track with a thumb at the value's share of the range: Left and Right step the value within
// the range. The step never exceeds half the range, so two steps cross it at most once.
class COptionsSlider : public COptionsLabel
{
public:
    COptionsSlider();

    LRESULT OnKey(UINT key, LPARAM lParam) override;
    void Draw(CDC* pDC) override;

    void SetRange(int minimum, int maximum);
    void SetValue(int value);
    void GetRange(int& minimum, int& maximum) const
    {
        minimum = m_nMin;
        maximum = m_nMax;
    }
    int GetValue() const { return m_nValue; }
    // Changes the step only when it is at most half the range; answers the old step.
    int SetStep(int step);
    int GetStep() const { return m_nStep; }
    // FALSE when either does not load; the thumb's width comes from its bitmap.
    BOOL SetBitmaps(UINT trackId, UINT thumbId);
    // The thumb's left edge in a client area this wide: at the left edge for an empty range,
    // and never past the right edge, so the thumb stays in sight at the maximum.
    int ThumbLeft(int clientWidth) const;
    int GetThumbWidth() const { return m_nThumbWidth; }

protected:
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    int m_nStep = 1;
    CBitmap m_track;
    CBitmap m_thumb;
    int m_nThumbWidth = 10;
};
