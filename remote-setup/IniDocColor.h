#pragma once

#include <windows.h>

// A colour of Tandril's ini document, written "r,g,b".
class CIniDocColor
{
public:
    CIniDocColor() : m_red(0), m_green(0), m_blue(0) {}
    CIniDocColor(BYTE red, BYTE green, BYTE blue) : m_red(red), m_green(green), m_blue(blue) {}
    explicit CIniDocColor(COLORREF color)
        : m_red(GetRValue(color)), m_green(GetGValue(color)), m_blue(GetBValue(color))
    {
    }

    COLORREF ToCOLORREF() const { return RGB(m_red, m_green, m_blue); }

    BYTE m_red;
    BYTE m_green;
    BYTE m_blue;
};
