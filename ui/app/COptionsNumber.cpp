#include "COptionsNumber.h"

#include <algorithm>

COptionsNumber::COptionsNumber()
{
    m_nNotifyCode = 5;
    StoreText("0");
}

LRESULT COptionsNumber::OnKey(UINT key, LPARAM)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        return SetFocusMark(!m_bFocusMark) ? 2 : 0;
    case VK_UP:
        SetValue(m_nValue + 1);
        return 0;
    case VK_DOWN:
        SetValue(m_nValue - 1);
        return 0;
    default:
        return 2;
    }
}

void COptionsNumber::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = maximum;
    SetValue(m_nValue);
}

void COptionsNumber::SetValue(int value)
{
    // Clamped from below last, so a range given upside down still yields its minimum.
    m_nValue = std::max(std::min(value, m_nMax), m_nMin);
    CString text;
    text.Format("%d", m_nValue);
    StoreText(text);
    Repaint();
}

void COptionsNumber::SetFillColor(COLORREF color)
{
    m_fillColor = color;
    Repaint();
}

void COptionsNumber::SetFocusColor(COLORREF color)
{
    m_focusColor = color;
    Repaint();
}

COLORREF COptionsNumber::CurrentTextColor() const
{
    return m_bFocusMark ? m_focusColor : COptionsLabel::CurrentTextColor();
}

void COptionsNumber::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (m_bHighlighted)
        pDC->FillSolidRect(&client, m_fillColor);
    DrawTextIn(pDC, client);
}
