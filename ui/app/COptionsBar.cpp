#include "COptionsBar.h"

#include <algorithm>

COptionsBar::COptionsBar()
{
    m_nNotifyCode = 2;
    SetFontSize(12, 24);
    StoreText("0");
}

LRESULT COptionsBar::OnKey(UINT key, LPARAM)
{
    if (key == VK_LEFT) {
        SetValue(m_nValue - m_nStep);
        return 0;
    }
    if (key == VK_RIGHT) {
        SetValue(m_nValue + m_nStep);
        return 0;
    }
    return 2;
}

void COptionsBar::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = maximum;
    SetValue(m_nValue);
}

void COptionsBar::SetValue(int value)
{
    m_nValue = std::max(std::min(value, m_nMax), m_nMin);
    CString text;
    text.Format("%d", m_nValue);
    StoreText(text);
    Repaint();
}

int COptionsBar::SetStep(int step)
{
    int old = m_nStep;
    m_nStep = step;
    return old;
}

BOOL COptionsBar::SetBitmaps(UINT backId, UINT fillId)
{
    BOOL back = ReloadBitmap(m_back, backId);
    BOOL fill = ReloadBitmap(m_fill, fillId);
    if (!back || !fill)
        return FALSE;
    CSize size = BitmapSize(m_back);
    if (GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

int COptionsBar::FillWidth(int clientWidth) const
{
    if (m_nMax <= m_nMin)
        return 0;
    long long percent = (long long)(m_nValue - m_nMin) * 100 / ((long long)m_nMax - m_nMin);
    return (int)(percent * clientWidth / 100);
}

void COptionsBar::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawBitmap(pDC, m_back, 0, 0, client.Width(), client.Height());
    DrawBitmap(pDC, m_fill, 0, 0, FillWidth(client.Width()), client.Height());
    DrawTextIn(pDC, client);
}
