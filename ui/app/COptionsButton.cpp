#include "COptionsButton.h"

COptionsButton::COptionsButton()
{
    m_textColor = RGB(255, 255, 255);
    m_highlightColor = RGB(255, 255, 255);
    m_nNotifyCode = 1;
    SetFontSize(12, 24);
}

LRESULT COptionsButton::OnKey(UINT key, LPARAM)
{
    if (key != VK_LEFT && key != VK_RIGHT)
        return 2;
    return SetFocusMark(!m_bFocusMark) ? 0 : 2;
}
