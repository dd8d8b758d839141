#include "COptionsSlider.h"

#include <algorithm>

COptionsSlider::COptionsSlider()
{
    m_nNotifyCode = 3;
    SetFontSize(11, 15);
    StoreText("0");
}

LRESULT COptionsSlider::OnKey(UINT key, LPARAM)
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

void COptionsSlider::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = maximum;
    SetValue(m_nValue);
}

void COptionsSlider::SetValue(int value)
{
    m_nValue = std::max(std::min(value, m_nMax), m_nMin);
    CString text;
    text.Format("%d", m_nValue);
    StoreText(text);
    Repaint();
}

int COptionsSlider::SetStep(int step)
{
    int old = m_nStep;
    if ((long long)step * 2 <= (long long)m_nMax - m_nMin)
        m_nStep = step;
    return old;
}

BOOL COptionsSlider::SetBitmaps(UINT trackId, UINT thumbId)
{
    BOOL track = ReloadBitmap(m_track, trackId);
    BOOL thumb = ReloadBitmap(m_thumb, thumbId);
    if (!track || !thumb)
        return FALSE;
    m_nThumbWidth = BitmapSize(m_thumb).cx;
    CSize size = BitmapSize(m_track);
    if (GetSafeHwnd() != NULL)
        SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

int COptionsSlider::ThumbLeft(int clientWidth) const
{
    if (m_nMax <= m_nMin)
        return 0;
    long long percent = (long long)(m_nValue - m_nMin) * 100 / ((long long)m_nMax - m_nMin);
    int left = (int)(percent * clientWidth / 100);
    return std::max(0, std::min(left, clientWidth - m_nThumbWidth));
}

void COptionsSlider::Draw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    DrawBitmap(pDC, m_track, 0, 0, client.Width(), client.Height());
    DrawBitmap(pDC, m_thumb, ThumbLeft(client.Width()), 0, m_nThumbWidth, client.Height());
    DrawTextIn(pDC, client);
}
