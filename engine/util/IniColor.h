#pragma once

#include <windows.h>

// A colour as the ini files write it: "r,g,b".
class CIniColor
{
public:
    CIniColor() : m_red(0), m_green(0), m_blue(0) {}
    CIniColor(BYTE red, BYTE green, BYTE blue) : m_red(red), m_green(green), m_blue(blue) {}
    explicit CIniColor(COLORREF color)
        : m_red(GetRValue(color)), m_green(GetGValue(color)), m_blue(GetBValue(color))
    {
    }

    COLORREF ToCOLORREF() const { return RGB(m_red, m_green, m_blue); }

    BYTE m_red;
    BYTE m_green;
    BYTE m_blue;
};
